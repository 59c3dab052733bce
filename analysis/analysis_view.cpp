// Running the analysis after an edit settles and showing its problems.
#include "analysis/analysis_view.h"

#include "app/app.h"
#include "app/main_window.h"
#include "base/file_io.h"
#include "base/text_conversion.h"
#include "documents/disk_stamp.h"
#include "documents/document_commands.h"
#include "documents/navigation.h"
#include "documents/opening.h"
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

AnalysisInput input_for(App& app, const std::string& text) {
    AnalysisInput input;
    input.text = text;
    if (const Document* document = app.documents.current_document())
        input.path = file_exists(document->path) ? document->path : std::string();
    input.include_folder = app.folders.include;
    input.keywords = app.keyword_text;
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

void show_marks(App& app) {
    AnalysisState& state = *app.analysis;
    sci_indicator_clear_all(app.editor, indicator_problem);
    sci_indicator_clear_all(app.editor, indicator_hint);
    const long length = sci_length(app.editor);
    std::size_t problems = 0, hints = 0;
    for (const Problem& p : state.result.problems) {
        (p.severity == Severity::hint ? hints : problems) += 1;
        if (p.at.file != 0 || static_cast<long>(p.at.offset) >= length) continue;
        sci_indicator_fill(
            app.editor, p.severity == Severity::hint ? indicator_hint : indicator_problem,
            static_cast<long>(p.at.offset), std::max<long>(1, static_cast<long>(p.at.length)));
    }
    if (state.count)
        state.count->setText(
            problems + hints == 0
                ? QString()
                : QStringLiteral("Problems: %1  Hints: %2").arg(problems).arg(hints));
}

void show_caret_problem(App& app) {
    if (!app.analysis || app.analysis->stale || !app.window) return;
    if (const Problem* p = problem_at(*app.analysis, sci_current_pos(app.editor)))
        app.window->statusBar()->showMessage(message_of(*p), 10000);
}

std::string line_text(const AnalysedFile& file, std::size_t line) {
    if (line >= file.line_starts.size()) return {};
    const std::size_t start = file.line_starts[line];
    const std::size_t end = file.text.find_first_of("\r\n", start);
    return file.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string file_name(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void show_panel(App& app) {
    app.analysis->panel->show();
    lay_out_splitter(app);
}

} // namespace

void install_analysis(App& app) {
    app.analysis = std::make_unique<AnalysisState>();
    AnalysisState& state = *app.analysis;
    state.timer = new QTimer(app.window.get());
    state.timer->setSingleShot(true);
    QObject::connect(state.timer, &QTimer::timeout, [&app]() { run_analysis(app); });

    state.count = new QLabel(app.window->statusBar());
    state.count->setObjectName(QStringLiteral("analysis_count"));
    app.window->statusBar()->addPermanentWidget(state.count);

    state.panel = new QListWidget(app.window->centralWidget());
    state.panel->setObjectName(QStringLiteral("analysis_panel"));
    state.panel->hide();
    app.bottom_panels.push_back(state.panel);
    QObject::connect(state.panel, &QListWidget::itemActivated, [&app](QListWidgetItem* item) {
        AnalysisState& s = *app.analysis;
        const int row = s.panel->row(item);
        if (row < 0 || row >= static_cast<int>(s.rows.size())) return;
        go_to_place(app, s.row_paths[row], s.rows[row]);
    });
    QObject::connect(
        state.panel, &QListWidget::itemClicked, state.panel,
        [&app](QListWidgetItem* item) { emit app.analysis->panel->itemActivated(item); });

    sci_indicator_style(app.editor, indicator_problem, Sci::INDIC_SQUIGGLE, 0x0000E0);
    sci_indicator_style(app.editor, indicator_hint, Sci::INDIC_DOTS, 0xA0A0A0, 120);
    sci_set_mouse_dwell(app.editor, dwell_ms);
    QObject::connect(app.editor, &QsciScintillaBase::SCN_DWELLSTART, app.editor,
                     [&app](int position, int x, int y) {
                         if (!app.analysis || app.analysis->stale || position < 0) return;
                         if (const Problem* p = problem_at(*app.analysis, position))
                             QToolTip::showText(app.editor->viewport()->mapToGlobal(QPoint(x, y)),
                                                message_of(*p), app.editor);
                     });
    QObject::connect(app.editor, &QsciScintillaBase::SCN_DWELLEND, app.editor,
                     [](int, int, int) { QToolTip::hideText(); });
    QObject::connect(app.editor, &QsciScintillaBase::SCN_UPDATEUI, app.editor, [&app](int updated) {
        if (updated & Sci::SC_UPDATE_SELECTION) show_caret_problem(app);
    });
    install_ctrl_click(app);
    QObject::connect(&app.document_events, &DocumentEvents::outline_wanted, app.label_list,
                     [&app]() { show_outline(app); });
    schedule_analysis(app);
}

void schedule_analysis(App& app) {
    if (!app.analysis) return;
    app.analysis->stale = true;
    app.analysis->timer->start(analysis_idle_ms);
}

void run_analysis(App& app) {
    if (!app.analysis || !app.editor) return;
    AnalysisState& state = *app.analysis;
    state.timer->stop();
    const std::string text = sci_text(app.editor);
    state.result = analyse_program(input_for(app, text), state.cache);
    state.stale = false;
    state.document = app.documents.current;
    show_marks(app);
    if (state.panel->isVisible() && state.panel->property("problems").toBool()) list_problems(app);
    if (app.settings.label_list_outline) show_outline(app);
}

const ProgramAnalysis& current_analysis(App& app) {
    if (app.analysis->stale || app.analysis->document != app.documents.current) run_analysis(app);
    return app.analysis->result;
}

void go_to_span(App& app, const ProgramAnalysis& analysis, const SourceSpan& at) {
    if (at.file >= analysis.files.size()) return;
    go_to_place(app, at.file == 0 ? std::string() : analysis.files[at.file].path, at);
}

void go_to_place(App& app, const std::string& path, const SourceSpan& at) {
    const Document* document = app.documents.current_document();
    if (!path.empty() && (!document || document->path != path)) {
        // The tab jumped from, by what stays the same when the include's tab is added.
        void* from = document ? document->scintilla_doc : nullptr;
        const std::string from_path = document ? document->path : std::string();
        const long from_line = sci_caret_line(app.editor);
        if (open_path(app, path) < 0) return;
        jump_from_document(app, from, from_path, from_line, static_cast<long>(at.line));
    } else {
        jump_to_name_line(app, static_cast<long>(at.line));
    }
    sci_set_sel(app.editor, at.offset, static_cast<SciPos>(at.offset + at.length));
}

void list_problems(App& app) {
    const ProgramAnalysis& analysis = current_analysis(app);
    AnalysisState& state = *app.analysis;
    state.panel->clear();
    state.rows.clear();
    state.row_paths.clear();
    state.panel->setProperty("problems", true);
    for (const Problem& p : analysis.problems) {
        const AnalysedFile& file = analysis.files[p.at.file];
        auto* item = new QListWidgetItem(QString::fromStdString(
            (p.at.file == 0 ? std::string() : file_name(file.path) + " ") + "line " +
            std::to_string(p.at.line + 1) + ": " + p.message + "  [" + p.code + "]"));
        if (p.severity == Severity::hint) item->setForeground(Qt::gray);
        state.panel->addItem(item);
        state.rows.push_back(p.at);
        state.row_paths.push_back(file.path);
    }
    show_panel(app);
}

void list_spans(App& app, const ProgramAnalysis& analysis, const std::vector<SourceSpan>& spans) {
    AnalysisState& state = *app.analysis;
    state.panel->clear();
    state.rows.clear();
    state.row_paths.clear();
    state.panel->setProperty("problems", false);
    for (const SourceSpan& at : spans) {
        const AnalysedFile& file = analysis.files[at.file];
        const std::string where = (file.path.empty() ? "(this program)" : file_name(file.path)) +
                                  " line " + std::to_string(at.line + 1) + ": ";
        state.panel->addItem(QString::fromStdString(where + line_text(file, at.line)));
        state.rows.push_back(at);
        state.row_paths.push_back(file.path);
    }
    show_panel(app);
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

void show_outline(App& app) {
    if (!app.analysis || !app.label_list) return;
    AnalysisState& state = *app.analysis;
    if (state.document != app.documents.current) {
        run_analysis(app); // shows the outline of its result
        return;
    }
    state.outline_rows.clear();
    state.outline_paths.clear();
    QStringList texts;
    add_outline_rows(state, state.result, program_outline(state.result), 0, texts);
    // Refilling with the same rows would only reset the list's scroll position.
    bool same = app.label_list->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i)
        same = app.label_list->item(i)->text() == texts[i];
    if (same) return;
    app.label_list->setUpdatesEnabled(false);
    app.label_list->clear();
    app.label_list->addItems(texts);
    app.label_list->setUpdatesEnabled(true);
    fit_label_list_width(app);
}

void go_to_outline_row(App& app, int row) {
    if (!app.analysis || row < 0 || row >= static_cast<int>(app.analysis->outline_rows.size()))
        return;
    const SourceSpan at = app.analysis->outline_rows[static_cast<std::size_t>(row)];
    const std::string path = app.analysis->outline_paths[static_cast<std::size_t>(row)];
    go_to_place(app, path, at);
}
