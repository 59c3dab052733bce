// The commands of the analysis: go to definition, find all uses, and the problems panel.
#include "analysis/analysis_view.h"
#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QListWidget>
#include <QMainWindow>
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

constexpr Command analysis_command_table[] = {
    {menu_id::go_to_definition, go_to_definition},
    {menu_id::find_all_uses, find_all_uses},
    {menu_id::show_problems, show_problems},
};

} // namespace

std::span<const Command> analysis_commands() {
    return analysis_command_table;
}
