// The find bar's searching and replacing in the editor, and the marks on the matches in view.
#include "find/find_commands.h"

#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "find/find_bar.h"
#include "find/find_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

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
std::optional<SearchPattern> current_pattern(FindState& find) {
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

Range search_range(EditorWidget* editor, const FindState& find) {
    long length = sci_length(editor);
    if (!find.options.in_selection) return {0, length};
    return {std::min(find.scope_start, length), std::min(find.scope_end, length)};
}

void take_scope_from_selection(EditorWidget* editor, FindState& find) {
    find.scope_start = sci_selection_start(editor);
    find.scope_end = sci_selection_end(editor);
}

void select_match(EditorWidget* editor, const TextMatch& match) {
    sci_set_sel(editor, match.start, match.end);
    sci_scroll_range(editor, match.end, match.start);
}

// The word at the caret, or a selection on one line, as the first find text.
std::string prefill_text(EditorWidget* editor) {
    long start = sci_selection_start(editor);
    long end = sci_selection_end(editor);
    if (start == end) {
        long caret = sci_current_pos(editor);
        start = sci_word_start(editor, caret, 1);
        end = sci_word_end(editor, caret, 1);
    }
    if (end <= start || end - start > longest_prefill) return {};
    std::string text = sci_text_range(editor, start, end);
    if (text.find_first_of("\r\n") != std::string::npos) return {};
    return text;
}

} // namespace

void connect_find_bar(FindBar* bar, EditorWidget* editor, std::function<FindContext()> context_of) {
    bar->on_find = [context_of](bool backwards) { find_next(context_of(), backwards); };
    bar->on_close = [context_of]() { close_find_bar(context_of()); };
    QObject::connect(bar->replace_button, &QPushButton::clicked,
                     [context_of]() { replace_once(context_of()); });
    QObject::connect(bar->replace_all_button, &QPushButton::clicked,
                     [context_of]() { replace_all(context_of()); });
    auto mark = [context_of]() {
        const FindContext context = context_of();
        mark_visible_matches(context.editor, context.find);
    };
    QObject::connect(bar->in_selection, &QCheckBox::toggled, [context_of, mark](bool on) {
        if (on) {
            const FindContext context = context_of();
            take_scope_from_selection(context.editor, context.find);
        }
        mark();
    });
    QObject::connect(bar->find_box, &QComboBox::editTextChanged,
                     [mark](const QString&) { mark(); });
    for (QCheckBox* box : {bar->match_case, bar->whole_word, bar->regular_expression})
        QObject::connect(box, &QCheckBox::toggled, [mark](bool) { mark(); });
    QObject::connect(editor, &EditorWidget::ui_updated, bar, [mark](int) { mark(); });

    sci_indic_set_style(editor, indicator_match, Sci::INDIC_ROUNDBOX);
    sci_indic_set_fore(editor, indicator_match, 0x00A5FF); // orange (BGR)
    sci_indic_set_alpha(editor, indicator_match, 90);
    sci_indic_set_under(editor, indicator_match, 1);
}

void open_find_bar(const FindContext& context, bool replace) {
    EditorWidget* editor = context.editor;
    FindState& find = context.find;
    if (!editor) return;
    if (!find.bar && context.make_bar) context.make_bar();
    if (!find.bar) return;
    FindBar& bar = *find.bar;
    std::string word = prefill_text(editor);
    if (!word.empty()) bar.find_box->setCurrentText(QString::fromStdString(word));
    // A selection over several lines is where a replace usually belongs.
    long start = sci_selection_start(editor);
    long end = sci_selection_end(editor);
    bool lines = sci_line_from_position(editor, start) != sci_line_from_position(editor, end);
    if (lines) bar.in_selection->setChecked(true);
    if (bar.in_selection->isChecked()) take_scope_from_selection(editor, find);
    bar.show_replace(replace);
    bar.set_note("");
    bar.show();
    if (context.lay_out) context.lay_out();
    bar.find_box->setFocus();
    bar.find_box->lineEdit()->selectAll();
    find.marked_signature.clear();
    mark_visible_matches(editor, find);
}

void close_find_bar(const FindContext& context) {
    EditorWidget* editor = context.editor;
    FindState& find = context.find;
    if (!find.bar) return;
    find.bar->hide();
    sci_set_indicator_current(editor, indicator_match);
    sci_indicator_clear_range(editor, 0, sci_length(editor));
    find.marked_signature.clear();
    if (context.lay_out) context.lay_out();
    editor->setFocus();
}

void find_next(const FindContext& context, bool backwards) {
    EditorWidget* editor = context.editor;
    FindState& find = context.find;
    if (!editor) return;
    // F3 with the bar closed searches again for the last find text.
    if (!find.bar || find.bar->find_text().empty()) {
        open_find_bar(context, false);
        return;
    }
    std::optional<SearchPattern> pattern = current_pattern(find);
    if (!pattern) return;
    SearchOptions options = find.options;
    if (backwards) options.backwards = !options.backwards;
    long start = sci_selection_start(editor);
    long end = sci_selection_end(editor);
    Range range = search_range(editor, find);
    SearchText text = make_search_text(sci_text(editor));
    std::optional<TextMatch> match =
        find_match(text, *pattern, options, options.backwards ? start : end, range.start, range.end,
                   start, end);
    // The selection itself is the only match: it is found again rather than reported missing.
    if (!match) match = find_match(text, *pattern, options, start, range.start, range.end);
    if (!match) {
        find.bar->set_note("Not found: " + find.bar->find_text());
        return;
    }
    select_match(editor, *match);
    find.bar->set_note(!match->wrapped     ? ""
                       : options.backwards ? "Passed the start; continued from the end"
                                           : "Passed the end; continued from the start");
}

void replace_once(const FindContext& context) {
    EditorWidget* editor = context.editor;
    FindState& find = context.find;
    if (!editor || !find.bar) return;
    std::optional<SearchPattern> pattern = current_pattern(find);
    if (!pattern) return;
    long start = sci_selection_start(editor);
    long end = sci_selection_end(editor);
    std::string replace = find.bar->replace_text();
    SearchText text = make_search_text(sci_text_range(editor, 0, sci_length(editor)));
    if (std::optional<std::string> with = replacement_at(text, *pattern, replace, start, end);
        with && start != end) {
        sci_set_target_range(editor, start, end);
        sci_replace_target(editor, *with);
        sci_set_sel(editor, start, start + long(with->size()));
        if (find.options.in_selection) find.scope_end += long(with->size()) - (end - start);
        remember_entry(find.replace_history, replace);
        show_history(find.bar->replace_box, find.replace_history);
    }
    find_next(context, false);
}

void replace_all(const FindContext& context) {
    EditorWidget* editor = context.editor;
    FindState& find = context.find;
    if (!editor || !find.bar) return;
    std::optional<SearchPattern> pattern = current_pattern(find);
    if (!pattern) return;
    std::string replace = find.bar->replace_text();
    Range range = search_range(editor, find);
    SearchText text = make_search_text(sci_text(editor));
    std::vector<Replacement> replacements =
        replace_all_matches(text, *pattern, replace, range.start, range.end);
    if (replacements.empty()) {
        find.bar->set_note("Not found: " + find.bar->find_text());
        return;
    }
    remember_entry(find.replace_history, replace);
    show_history(find.bar->replace_box, find.replace_history);
    // From the last to the first, so earlier positions stay true; one undo step, one repaint.
    QWidget* view = editor->viewport();
    view->setUpdatesEnabled(false);
    long grown = 0;
    sci_begin_undo_action(editor);
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r) {
        sci_set_target_range(editor, r->start, r->end);
        sci_replace_target(editor, r->text);
        grown += long(r->text.size()) - (r->end - r->start);
    }
    sci_end_undo_action(editor);
    view->setUpdatesEnabled(true);
    if (find.options.in_selection) {
        find.scope_end += grown;
        sci_set_sel(editor, find.scope_start, find.scope_end);
    }
    if (context.text_replaced) context.text_replaced();
    std::size_t count = replacements.size();
    find.bar->set_note("Replaced " + std::to_string(count) + (count == 1 ? " match" : " matches"));
}

void mark_visible_matches(EditorWidget* editor, FindState& find) {
    if (!find.bar || !find.bar->isVisible() || !editor) return;
    long first_line = sci_doc_line_from_visible(editor, sci_first_visible_line(editor));
    long last_line = first_line + sci_lines_on_screen(editor) + 1;
    long start = sci_position_from_line(editor, first_line);
    long end = last_line < sci_line_count(editor) ? sci_position_from_line(editor, last_line)
                                                  : sci_length(editor);
    std::string visible = sci_text_range(editor, start, end);
    read_options(find);
    std::string signature = find.bar->find_text() + '\x01' + std::to_string(start) + '\x01' +
                            std::to_string(find.options.match_case) +
                            std::to_string(find.options.whole_word) +
                            std::to_string(find.options.regular_expression) + '\x01' + visible;
    // Marking changes indicators, which is itself an update: only a new view is marked again.
    if (signature == find.marked_signature) return;
    find.marked_signature = signature;
    sci_set_indicator_current(editor, indicator_match);
    sci_indicator_clear_range(editor, 0, sci_length(editor));
    SearchPattern pattern = compile_search(find.bar->find_text(), find.options);
    if (!pattern.valid()) return;
    SearchText text = make_search_text(visible);
    for (const Replacement& match : replace_all_matches(text, pattern, "", 0, long(visible.size())))
        if (match.end > match.start)
            sci_indicator_fill_range(editor, start + match.start, match.end - match.start);
}
