// The commands of the analysis: go to definition, find all uses, and the problems panel.
#include "analysis/analysis_view.h"
#include "analysis/rename.h"
#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QListWidget>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

// The definition of the name at the caret, or nothing after saying so in the status bar.
std::optional<std::size_t> name_at_caret(App& app) {
    const ProgramAnalysis& analysis = current_analysis(app);
    const std::optional<std::size_t> found =
        definition_at(analysis, 0, static_cast<std::size_t>(sci_current_pos(app.editor)));
    if (!found && app.window)
        app.window->statusBar()->showMessage(QStringLiteral("No name of the program here"), 5000);
    return found;
}

void go_to_definition(App& app) {
    if (const auto found = name_at_caret(app)) {
        const ProgramAnalysis& analysis = current_analysis(app);
        go_to_span(app, analysis, analysis.definitions[*found].at);
    }
}

void find_all_uses(App& app) {
    if (const auto found = name_at_caret(app)) {
        const ProgramAnalysis& analysis = current_analysis(app);
        list_spans(app, analysis, spans_of(analysis, *found));
    }
}

void show_problems(App& app) {
    list_problems(app);
}

// Applies `edits` to the editor's text as one undo step, when the text is still the one the
// analysis read; false otherwise.
bool apply_edits(App& app, const std::string& analysed_text, const std::vector<TextEdit>& edits) {
    if (sci_text(app.editor) != analysed_text) return false;
    sci_begin_undo_action(app.editor);
    for (const TextEdit& edit : edits) {
        sci_set_target_range(app.editor, static_cast<SciPos>(edit.offset),
                             static_cast<SciPos>(edit.offset + edit.length));
        sci_replace_target(app.editor, edit.text);
    }
    sci_end_undo_action(app.editor);
    return true;
}

void rename_name(App& app) {
    const auto found = name_at_caret(app);
    if (!found) return;
    // A copy: opening the include files makes other documents current.
    const ProgramAnalysis analysis = current_analysis(app);
    const Definition& definition = analysis.definitions[*found];
    const std::optional<std::string> name =
        app.requesters->input("Rename", "New name for " + definition.name + ":", definition.name);
    if (!name || *name == definition.name) return;
    const RenamePlan plan = plan_rename(analysis, *found, *name, app.keyword_text);
    if (!plan.refusal.empty()) {
        app.requesters->message("Rename", plan.refusal, Buttons::Ok);
        return;
    }
    const int program = app.documents.current;
    std::string skipped;
    for (const FileEdits& file : plan.files) {
        const std::string& path = analysis.files[file.file].path;
        // The program by its tab (it may have no file yet), an include by its file.
        if (file.file == 0) {
            if (app.documents.current != program) activate_document(app, program);
        } else if (open_path(app, path) < 0) {
            skipped += "\n" + path + " (it could not be opened)";
            continue;
        }
        if (!apply_edits(app, analysis.files[file.file].text, file.edits))
            skipped += "\n" + (path.empty() ? std::string("the program") : path) +
                       " (it changed since it was read)";
    }
    if (app.documents.current != program && program < app.documents.count())
        activate_document(app, program);
    if (!skipped.empty())
        app.requesters->message("Rename", "These files were left as they are:" + skipped,
                                Buttons::Ok);
    schedule_analysis(app);
}

// Ctrl+click on a name goes to its definition, instead of Scintilla's own handling of the click.
class CtrlClickFilter : public QObject {
  public:
    CtrlClickFilter(App& app, QObject* parent) : QObject(parent), app_(app) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return QObject::eventFilter(watched, event);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ControlModifier))
            return QObject::eventFilter(watched, event);
        const QPoint at = mouse->position().toPoint();
        const long pos = sci_position_from_point(app_.editor, at.x(), at.y());
        if (pos < 0) return false;
        sci_goto_pos(app_.editor, pos);
        go_to_definition(app_);
        return true;
    }

  private:
    App& app_;
};

constexpr Command analysis_command_table[] = {
    {menu_id::go_to_definition, "Go to definition", "F12", go_to_definition},
    {menu_id::find_all_uses, "Find all uses", "Shift+F12", find_all_uses},
    {menu_id::show_problems, "Problems", nullptr, show_problems},
    {menu_id::rename_name, "Rename", "F2", rename_name},
};

} // namespace

void install_ctrl_click(App& app) {
    app.editor->viewport()->installEventFilter(new CtrlClickFilter(app, app.editor));
}

std::span<const Command> analysis_commands() {
    return analysis_command_table;
}
