#include "find/find_commands.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/name_refresh.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "find/find_bar.h"
#include "find/find_state.h"
#include "find/name_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int longest_prefill = 200;

void read_options(FindState& find) {
    FindBar& bar = *find.bar;
    find.options.match_case = bar.match_case->isChecked();
    find.options.whole_word = bar.whole_word->isChecked();
    find.options.regular_expression = bar.regular_expression->isChecked();
    find.options.backwards = bar.backwards->isChecked();
    find.options.wrap_around = bar.wrap_around->isChecked();
    find.options.in_selection = bar.in_selection->isChecked();
}

void show_history(QComboBox* box, const std::vector<std::string>& history) {
    const QString current = box->currentText();
    box->blockSignals(true);
    box->clear();
    for (const std::string& entry : history) box->addItem(QString::fromStdString(entry));
    box->setCurrentText(current);
    box->blockSignals(false);
}

// The compiled find text, or nothing with the reason in the bar.
std::optional<SearchPattern> current_pattern(App& app) {
    FindState& find = *app.find;
    read_options(find);
    SearchPattern pattern = compile_search(find.bar->find_text(), find.options);
    if (!pattern.valid()) {
        find.bar->set_note(pattern.error, true);
        return std::nullopt;
    }
    remember_entry(find.find_history, find.bar->find_text());
    show_history(find.bar->find_box, find.find_history);
    return pattern;
}

struct Range {
    long start, end;
};

Range search_range(App& app) {
    const FindState& find = *app.find;
    long length = sci_length(app.editor);
    if (!find.options.in_selection) return {0, length};
    return {std::min(find.scope_start, length), std::min(find.scope_end, length)};
}

void take_scope_from_selection(App& app) {
    app.find->scope_start = sci_selection_start(app.editor);
    app.find->scope_end = sci_selection_end(app.editor);
}

void select_match(App& app, const TextMatch& match) {
    sci_set_sel(app.editor, match.start, match.end);
    sci_scroll_range(app.editor, match.end, match.start);
}

// The word at the caret, or a selection on one line, as the first find text.
std::string prefill_text(App& app) {
    long start = sci_selection_start(app.editor);
    long end = sci_selection_end(app.editor);
    if (start == end) {
        long caret = sci_current_pos(app.editor);
        start = sci_word_start(app.editor, caret, 1);
        end = sci_word_end(app.editor, caret, 1);
    }
    if (end <= start || end - start > longest_prefill) return {};
    std::string text = sci_text_range(app.editor, start, end);
    if (text.find_first_of("\r\n") != std::string::npos) return {};
    return text;
}

void create_bar(App& app) {
    auto* bar = new FindBar(app.window->centralWidget());
    bar->hide();
    app.find->bar = bar;
    app.bottom_panels.push_back(bar);
    bar->on_find = [&app](bool backwards) { find_next(app, backwards); };
    bar->on_close = [&app]() { close_find_bar(app); };
    QObject::connect(bar->replace_button, &QPushButton::clicked, [&app]() { replace_once(app); });
    QObject::connect(bar->replace_all_button, &QPushButton::clicked,
                     [&app]() { replace_all(app); });
    QObject::connect(bar->in_selection, &QCheckBox::toggled, [&app](bool on) {
        if (on) take_scope_from_selection(app);
        mark_visible_matches(app);
    });
    QObject::connect(bar->find_box, &QComboBox::editTextChanged,
                     [&app](const QString&) { mark_visible_matches(app); });
    for (QCheckBox* box : {bar->match_case, bar->whole_word, bar->regular_expression})
        QObject::connect(box, &QCheckBox::toggled, [&app](bool) { mark_visible_matches(app); });
    QObject::connect(app.editor, &QsciScintillaBase::SCN_UPDATEUI,
                     [&app](int) { mark_visible_matches(app); });

    sci_indic_set_style(app.editor, indicator_match, Sci::INDIC_ROUNDBOX);
    sci_indic_set_fore(app.editor, indicator_match, 0x00A5FF); // orange (BGR)
    sci_indic_set_alpha(app.editor, indicator_match, 90);
    sci_indic_set_under(app.editor, indicator_match, 1);

    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), app.window.get());
    QObject::connect(next, &QShortcut::activated, [&app]() { find_next(app, false); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), app.window.get());
    QObject::connect(previous, &QShortcut::activated, [&app]() { find_next(app, true); });
}

void find_replace_command(App& app) {
    open_find_bar(app, true);
}

constexpr Command find_command_table[] = {
    {menu_id::find_replace, find_replace_command},
    {menu_id::find_key, [](App& app) { open_find_bar(app, false); }},
    {menu_id::replace_key, [](App& app) { open_find_bar(app, true); }},
    {menu_id::find_name, find_name_command},
};

} // namespace

std::span<const Command> find_commands() {
    return find_command_table;
}

void open_find_bar(App& app, bool replace) {
    if (!app.editor || !app.window) return;
    if (!app.find->bar) create_bar(app);
    FindBar& bar = *app.find->bar;
    std::string word = prefill_text(app);
    if (!word.empty()) bar.find_box->setCurrentText(QString::fromStdString(word));
    // A selection over several lines is where a replace usually belongs.
    long start = sci_selection_start(app.editor);
    long end = sci_selection_end(app.editor);
    bool lines =
        sci_line_from_position(app.editor, start) != sci_line_from_position(app.editor, end);
    if (lines) bar.in_selection->setChecked(true);
    if (bar.in_selection->isChecked()) take_scope_from_selection(app);
    bar.show_replace(replace);
    bar.set_note("");
    bar.show();
    lay_out_splitter(app);
    bar.find_box->setFocus();
    bar.find_box->lineEdit()->selectAll();
    app.find->marked_signature.clear();
    mark_visible_matches(app);
}

void close_find_bar(App& app) {
    if (!app.find->bar) return;
    app.find->bar->hide();
    sci_set_indicator_current(app.editor, indicator_match);
    sci_indicator_clear_range(app.editor, 0, sci_length(app.editor));
    app.find->marked_signature.clear();
    lay_out_splitter(app);
    app.editor->setFocus();
}

void find_next(App& app, bool backwards) {
    if (!app.editor) return;
    // F3 with the bar closed searches again for the last find text.
    if (!app.find->bar || app.find->bar->find_text().empty()) {
        open_find_bar(app, false);
        return;
    }
    std::optional<SearchPattern> pattern = current_pattern(app);
    if (!pattern) return;
    SearchOptions options = app.find->options;
    if (backwards) options.backwards = !options.backwards;
    long start = sci_selection_start(app.editor);
    long end = sci_selection_end(app.editor);
    Range range = search_range(app);
    SearchText text = make_search_text(sci_text(app.editor));
    std::optional<TextMatch> match =
        find_match(text, *pattern, options, options.backwards ? start : end, range.start, range.end,
                   start, end);
    // The selection itself is the only match: it is found again rather than reported missing.
    if (!match) match = find_match(text, *pattern, options, start, range.start, range.end);
    if (!match) {
        app.find->bar->set_note("Not found: " + app.find->bar->find_text());
        return;
    }
    select_match(app, *match);
    app.find->bar->set_note(!match->wrapped     ? ""
                            : options.backwards ? "Passed the start; continued from the end"
                                                : "Passed the end; continued from the start");
}

void replace_once(App& app) {
    if (!app.editor || !app.find->bar) return;
    std::optional<SearchPattern> pattern = current_pattern(app);
    if (!pattern) return;
    long start = sci_selection_start(app.editor);
    long end = sci_selection_end(app.editor);
    std::string replace = app.find->bar->replace_text();
    SearchText text = make_search_text(sci_text_range(app.editor, 0, sci_length(app.editor)));
    if (std::optional<std::string> with = replacement_at(text, *pattern, replace, start, end);
        with && start != end) {
        sci_set_target_range(app.editor, start, end);
        sci_replace_target(app.editor, *with);
        sci_set_sel(app.editor, start, start + long(with->size()));
        if (app.find->options.in_selection)
            app.find->scope_end += long(with->size()) - (end - start);
        remember_entry(app.find->replace_history, replace);
        show_history(app.find->bar->replace_box, app.find->replace_history);
    }
    find_next(app, false);
}

void replace_all(App& app) {
    if (!app.editor || !app.find->bar) return;
    std::optional<SearchPattern> pattern = current_pattern(app);
    if (!pattern) return;
    std::string replace = app.find->bar->replace_text();
    Range range = search_range(app);
    SearchText text = make_search_text(sci_text(app.editor));
    std::vector<Replacement> replacements =
        replace_all_matches(text, *pattern, replace, range.start, range.end);
    if (replacements.empty()) {
        app.find->bar->set_note("Not found: " + app.find->bar->find_text());
        return;
    }
    remember_entry(app.find->replace_history, replace);
    show_history(app.find->bar->replace_box, app.find->replace_history);
    // From the last to the first, so earlier positions stay true; one undo step, one repaint.
    QWidget* view = app.editor->viewport();
    view->setUpdatesEnabled(false);
    long grown = 0;
    sci_begin_undo_action(app.editor);
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r) {
        sci_set_target_range(app.editor, r->start, r->end);
        sci_replace_target(app.editor, r->text);
        grown += long(r->text.size()) - (r->end - r->start);
    }
    sci_end_undo_action(app.editor);
    view->setUpdatesEnabled(true);
    if (app.find->options.in_selection) {
        app.find->scope_end += grown;
        sci_set_sel(app.editor, app.find->scope_start, app.find->scope_end);
    }
    schedule_names_refresh(app);
    std::size_t count = replacements.size();
    app.find->bar->set_note("Replaced " + std::to_string(count) +
                            (count == 1 ? " match" : " matches"));
}

void mark_visible_matches(App& app) {
    FindState& find = *app.find;
    if (!find.bar || !find.bar->isVisible() || !app.editor) return;
    long first_line = sci_doc_line_from_visible(app.editor, sci_first_visible_line(app.editor));
    long last_line = first_line + sci_lines_on_screen(app.editor) + 1;
    long start = sci_position_from_line(app.editor, first_line);
    long end = last_line < sci_line_count(app.editor)
                   ? sci_position_from_line(app.editor, last_line)
                   : sci_length(app.editor);
    std::string visible = sci_text_range(app.editor, start, end);
    read_options(find);
    std::string signature = find.bar->find_text() + '\x01' + std::to_string(start) + '\x01' +
                            std::to_string(find.options.match_case) +
                            std::to_string(find.options.whole_word) +
                            std::to_string(find.options.regular_expression) + '\x01' + visible;
    // Marking changes indicators, which is itself an update: only a new view is marked again.
    if (signature == find.marked_signature) return;
    find.marked_signature = signature;
    sci_set_indicator_current(app.editor, indicator_match);
    sci_indicator_clear_range(app.editor, 0, sci_length(app.editor));
    SearchPattern pattern = compile_search(find.bar->find_text(), find.options);
    if (!pattern.valid()) return;
    SearchText text = make_search_text(visible);
    for (const Replacement& match : replace_all_matches(text, pattern, "", 0, long(visible.size())))
        if (match.end > match.start)
            sci_indicator_fill_range(app.editor, start + match.start, match.end - match.start);
}
