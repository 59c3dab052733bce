// The commands of the analysis: go to definition, find all uses, the problems panel, rename.
#include "analysis/analysis_commands.h"

#include "analysis/analysis_context.h"
#include "analysis/analysis_view.h"
#include "analysis/rename.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "ui/requesters.h"

#include <QMouseEvent>
#include <QStatusBar>

namespace {

// The definition of the name at the caret, or nothing after saying so in the status bar.
std::optional<std::size_t> name_at_caret(const AnalysisContext& context) {
    const ProgramAnalysis& analysis = current_analysis(context);
    const std::optional<std::size_t> found =
        definition_at(analysis, 0, static_cast<std::size_t>(sci_current_pos(context.editor)));
    if (!found && context.status_bar)
        context.status_bar->showMessage(QStringLiteral("No name of the program here"), 5000);
    return found;
}

// Applies `edits` to the editor's text as one undo step, when the text is still the one the
// analysis read; false otherwise.
bool apply_edits(EditorWidget* editor, const std::string& analysed_text,
                 const std::vector<TextEdit>& edits) {
    if (sci_text(editor) != analysed_text) return false;
    sci_begin_undo_action(editor);
    for (const TextEdit& edit : edits) {
        sci_set_target_range(editor, static_cast<SciPos>(edit.offset),
                             static_cast<SciPos>(edit.offset + edit.length));
        sci_replace_target(editor, edit.text);
    }
    sci_end_undo_action(editor);
    return true;
}

// Ctrl+click on a name goes to its definition, instead of Scintilla's own handling of the click.
class CtrlClickFilter : public QObject {
  public:
    CtrlClickFilter(EditorWidget* editor, std::function<void()> go_to_definition)
        : QObject(editor), editor_(editor), go_to_definition_(std::move(go_to_definition)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return QObject::eventFilter(watched, event);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ControlModifier))
            return QObject::eventFilter(watched, event);
        const QPoint at = mouse->position().toPoint();
        const long pos = sci_position_from_point(editor_, at.x(), at.y());
        if (pos < 0) return false;
        sci_goto_pos(editor_, pos);
        go_to_definition_();
        return true;
    }

  private:
    EditorWidget* editor_;
    std::function<void()> go_to_definition_;
};

} // namespace

void go_to_definition(const AnalysisContext& context) {
    if (const auto found = name_at_caret(context)) {
        const ProgramAnalysis& analysis = current_analysis(context);
        go_to_span(context, analysis, analysis.definitions[*found].at);
    }
}

void find_all_uses(const AnalysisContext& context) {
    if (const auto found = name_at_caret(context)) {
        const ProgramAnalysis& analysis = current_analysis(context);
        list_spans(context, analysis, spans_of(analysis, *found));
    }
}

void show_problems(const AnalysisContext& context) {
    list_problems(context);
}

void rename_name(const AnalysisContext& context) {
    const auto found = name_at_caret(context);
    if (!found) return;
    // A copy: opening the include files makes other documents current.
    const ProgramAnalysis analysis = current_analysis(context);
    const Definition& definition = analysis.definitions[*found];
    Requesters& requesters = context.requesters;
    const std::optional<std::string> name =
        requesters.input("Rename", "New name for " + definition.name + ":", definition.name);
    if (!name || *name == definition.name) return;
    const RenamePlan plan = plan_rename(analysis, *found, *name, context.keyword_text);
    if (!plan.refusal.empty()) {
        requesters.message("Rename", plan.refusal, Buttons::Ok);
        return;
    }
    const DocumentList& documents = context.documents;
    const int program = documents.current;
    std::string skipped;
    for (const FileEdits& file : plan.files) {
        const std::string& path = analysis.files[file.file].path;
        // The program by its tab (it may have no file yet), an include by its file.
        if (file.file == 0) {
            if (documents.current != program) context.activate_document(program);
        } else if (context.open_path(path) < 0) {
            skipped += "\n" + path + " (it could not be opened)";
            continue;
        }
        if (!apply_edits(context.editor, analysis.files[file.file].text, file.edits))
            skipped += "\n" + (path.empty() ? std::string("the program") : path) +
                       " (it changed since it was read)";
    }
    if (documents.current != program && program < documents.count())
        context.activate_document(program);
    if (!skipped.empty())
        requesters.message("Rename", "These files were left as they are:" + skipped, Buttons::Ok);
    schedule_analysis(context.state);
}

void install_ctrl_click(EditorWidget* editor, std::function<void()> go_to_definition) {
    editor->viewport()->installEventFilter(
        new CtrlClickFilter(editor, std::move(go_to_definition)));
}
