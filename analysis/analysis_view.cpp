// Running the analysis after an edit settles and showing its problems.
#include "analysis/analysis_view.h"

#include "analysis/analysis_context.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_stamp.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "tools/merge.h"

#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>

namespace {

// Beside the find marks (8); Scintilla leaves 8 and up to containers.
constexpr int dwell_ms = 500;

AnalysisInput input_for(const AnalysisContext& context, const std::string& text) {
    AnalysisInput input;
    input.text = text;
    if (const Document* document = context.documents.current_document())
        input.path = file_exists(document->path) ? document->path : std::string();
    input.include_folder = context.include_folder;
    input.keywords = context.keyword_text;
    input.files.exists = [](const std::string& path) { return file_exists(path); };
    input.files.read = [](const std::string& path) -> std::optional<std::string> {
        if (file_size(path) > static_cast<std::int64_t>(largest_include_file)) return std::nullopt;
        ReadResult read = read_whole_file(path);
        if (!read.ok) return std::nullopt;
        return bytes_to_utf8(read.bytes);
    };
    input.files.stamp = [](const std::string& path) {
        const DiskStamp stamp = disk_stamp_of(path);
        if (!stamp.exists) return std::string();
        return std::to_string(stamp.size) + " " + std::to_string(stamp.mtime_ns) + " " +
               std::to_string(stamp.device) + " " + std::to_string(stamp.inode);
    };
    return input;
}

// The problem of the current document under `pos`, hints after problems.
const Problem* problem_at(const AnalysisState& state, long pos) {
    const Problem* found = nullptr;
    for (const Problem& p : state.result.problems) {
        if (p.at.file != 0 || pos < static_cast<long>(p.at.offset) ||
            pos > static_cast<long>(p.at.offset + p.at.length))
            continue;
        if (!found || (found->severity == Severity::hint && p.severity == Severity::problem))
            found = &p;
    }
    return found;
}

QString message_of(const Problem& p) {
    return QString::fromStdString(p.message + "  [" + p.code + "]");
}

void show_marks(const AnalysisState& state, EditorWidget* editor) {
    sci_indicator_clear_all(editor, indicator_problem);
    sci_indicator_clear_all(editor, indicator_hint);
    const long length = sci_length(editor);
    std::size_t problems = 0, hints = 0;
    for (const Problem& p : state.result.problems) {
        (p.severity == Severity::hint ? hints : problems) += 1;
        if (p.at.file != 0 || static_cast<long>(p.at.offset) >= length) continue;
        sci_indicator_fill(
            editor, p.severity == Severity::hint ? indicator_hint : indicator_problem,
            static_cast<long>(p.at.offset), std::max<long>(1, static_cast<long>(p.at.length)));
    }
    if (state.count)
        state.count->setText(
            problems + hints == 0
                ? QString()
                : QStringLiteral("Problems: %1  Hints: %2").arg(problems).arg(hints));
}

void show_caret_problem(const AnalysisState& state, EditorWidget* editor, QStatusBar* status_bar) {
    if (state.stale) return;
    if (const Problem* p = problem_at(state, sci_current_pos(editor)))
        status_bar->showMessage(message_of(*p), 10000);
}

std::string line_text(const AnalysedFile& file, std::size_t line) {
    if (line >= file.line_starts.size()) return {};
    const std::size_t start = file.line_starts[line];
    const std::size_t end = file.text.find_first_of("\r\n", start);
    return file.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void show_panel(const AnalysisContext& context) {
    context.state.panel->show();
    if (context.lay_out) context.lay_out();
}

} // namespace

void build_analysis_view(AnalysisState& state, QMainWindow* window, EditorWidget* editor) {
    state.timer = new QTimer(window);
    state.timer->setSingleShot(true);

    QStatusBar* status_bar = window->statusBar();
    state.count = new QLabel(status_bar);
    state.count->setObjectName(QStringLiteral("analysis_count"));
    status_bar->addPermanentWidget(state.count);

    state.panel = new QListWidget(window->centralWidget());
    state.panel->setObjectName(QStringLiteral("analysis_panel"));
    state.panel->hide();
    QObject::connect(
        state.panel, &QListWidget::itemClicked, state.panel,
        [panel = state.panel](QListWidgetItem* item) { emit panel->itemActivated(item); });

    sci_indicator_style(editor, indicator_problem, Sci::INDIC_SQUIGGLE, 0x0000E0);
    sci_indicator_style(editor, indicator_hint, Sci::INDIC_DOTS, 0xA0A0A0, 120);
    sci_set_mouse_dwell(editor, dwell_ms);
    QObject::connect(editor, &QsciScintillaBase::SCN_DWELLSTART, editor,
                     [&state, editor](int position, int x, int y) {
                         if (state.stale || position < 0) return;
                         if (const Problem* p = problem_at(state, position))
                             QToolTip::showText(editor->viewport()->mapToGlobal(QPoint(x, y)),
                                                message_of(*p), editor);
                     });
    QObject::connect(editor, &QsciScintillaBase::SCN_DWELLEND, editor,
                     [](int, int, int) { QToolTip::hideText(); });
    QObject::connect(editor, &QsciScintillaBase::SCN_UPDATEUI, editor,
                     [&state, editor, status_bar](int updated) {
                         if (updated & Sci::SC_UPDATE_SELECTION)
                             show_caret_problem(state, editor, status_bar);
                     });
}

void schedule_analysis(AnalysisState& state) {
    state.stale = true;
    state.timer->start(analysis_idle_ms);
}

void run_analysis(const AnalysisContext& context) {
    if (!context.editor) return;
    AnalysisState& state = context.state;
    state.timer->stop();
    const std::string text = sci_text(context.editor);
    state.result = analyse_program(input_for(context, text), state.cache);
    state.stale = false;
    state.document = context.documents.current;
    show_marks(state, context.editor);
    if (state.panel->isVisible() && state.panel->property("problems").toBool())
        list_problems(context);
    if (context.outline_in_label_list) show_outline(context);
}

const ProgramAnalysis& current_analysis(const AnalysisContext& context) {
    if (context.state.stale || context.state.document != context.documents.current)
        run_analysis(context);
    return context.state.result;
}

void go_to_span(const AnalysisContext& context, const ProgramAnalysis& analysis, SourceSpan at) {
    if (at.file >= analysis.files.size()) return;
    go_to_place(context, at.file == 0 ? std::string() : analysis.files[at.file].path, at);
}

void go_to_place(const AnalysisContext& context, std::string path, SourceSpan at) {
    // Copies: opening the file may analyse again (for the outline), replacing the result and
    // the panel's rows they came from.
    const Document* document = context.documents.current_document();
    if (!path.empty() && (!document || document->path != path)) {
        // The tab jumped from, by what stays the same when the include's tab is added.
        void* from = document ? document->scintilla_doc : nullptr;
        const std::string from_path = document ? document->path : std::string();
        const long from_line = sci_caret_line(context.editor);
        if (context.open_path(path) < 0) return;
        context.jump_from_document(from, from_path, from_line, static_cast<long>(at.line));
    } else {
        context.jump_to_line(static_cast<long>(at.line));
    }
    sci_set_sel(context.editor, at.offset, static_cast<SciPos>(at.offset + at.length));
}

void list_problems(const AnalysisContext& context) {
    const ProgramAnalysis& analysis = current_analysis(context);
    AnalysisState& state = context.state;
    state.panel->clear();
    state.rows.clear();
    state.row_paths.clear();
    state.panel->setProperty("problems", true);
    for (const Problem& p : analysis.problems) {
        const AnalysedFile& file = analysis.files[p.at.file];
        auto* item = new QListWidgetItem(QString::fromStdString(
            (p.at.file == 0 ? std::string() : file_name_of(file.path) + " ") + "line " +
            std::to_string(p.at.line + 1) + ": " + p.message + "  [" + p.code + "]"));
        if (p.severity == Severity::hint) item->setForeground(Qt::gray);
        state.panel->addItem(item);
        state.rows.push_back(p.at);
        state.row_paths.push_back(file.path);
    }
    show_panel(context);
}

void list_spans(const AnalysisContext& context, const ProgramAnalysis& analysis,
                const std::vector<SourceSpan>& spans) {
    AnalysisState& state = context.state;
    state.panel->clear();
    state.rows.clear();
    state.row_paths.clear();
    state.panel->setProperty("problems", false);
    for (const SourceSpan& at : spans) {
        const AnalysedFile& file = analysis.files[at.file];
        const std::string where = (file.path.empty() ? "(this program)" : file_name_of(file.path)) +
                                  " line " + std::to_string(at.line + 1) + ": ";
        state.panel->addItem(QString::fromStdString(where + line_text(file, at.line)));
        state.rows.push_back(at);
        state.row_paths.push_back(file.path);
    }
    show_panel(context);
}

void go_to_panel_row(const AnalysisContext& context, int row) {
    const AnalysisState& state = context.state;
    if (row < 0 || row >= static_cast<int>(state.rows.size())) return;
    go_to_place(context, state.row_paths[static_cast<std::size_t>(row)],
                state.rows[static_cast<std::size_t>(row)]);
}

namespace {

void add_outline_rows(AnalysisState& state, const ProgramAnalysis& analysis,
                      const std::vector<OutlineEntry>& entries, int depth, QStringList& texts) {
    for (const OutlineEntry& entry : entries) {
        texts.append(QString(depth * 4, QLatin1Char(' ')) + QString::fromStdString(entry.text));
        state.outline_rows.push_back(entry.at);
        state.outline_paths.push_back(entry.at.file == 0 ? std::string()
                                                         : analysis.files[entry.at.file].path);
        add_outline_rows(state, analysis, entry.children, depth + 1, texts);
    }
}

} // namespace

void show_outline(const AnalysisContext& context) {
    QListWidget* label_list = context.label_list;
    if (!label_list) return;
    AnalysisState& state = context.state;
    if (state.document != context.documents.current) {
        run_analysis(context); // shows the outline of its result
        return;
    }
    state.outline_rows.clear();
    state.outline_paths.clear();
    QStringList texts;
    add_outline_rows(state, state.result, program_outline(state.result), 0, texts);
    // Refilling with the same rows would only reset the list's scroll position.
    bool same = label_list->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i) same = label_list->item(i)->text() == texts[i];
    if (same) return;
    label_list->setUpdatesEnabled(false);
    label_list->clear();
    label_list->addItems(texts);
    label_list->setUpdatesEnabled(true);
    if (context.fit_label_list) context.fit_label_list();
}

void go_to_outline_row(const AnalysisContext& context, int row) {
    const AnalysisState& state = context.state;
    if (row < 0 || row >= static_cast<int>(state.outline_rows.size())) return;
    go_to_place(context, state.outline_paths[static_cast<std::size_t>(row)],
                state.outline_rows[static_cast<std::size_t>(row)]);
}
