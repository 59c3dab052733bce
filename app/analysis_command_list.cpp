// The Analysis menu's items and keys, and the analysis's widgets and events in the window.
#include "app/analysis_command_list.h"

#include "analysis/analysis_commands.h"
#include "analysis/analysis_context.h"
#include "analysis/analysis_view.h"
#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/document_commands.h"
#include "documents/document_events.h"
#include "documents/navigation.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"

#include <QListWidget>
#include <QStatusBar>
#include <QTimer>

namespace {

// An analysis command, run on the current program once the analysis is there.
template <void (*Procedure)(const AnalysisContext&)> void on_analysis(App& app) {
    if (app.analysis) Procedure(analysis_context(app));
}

constexpr Command analysis_command_table[] = {
    {menu_id::go_to_definition, "Go to definition", "F12", on_analysis<go_to_definition>},
    {menu_id::find_all_uses, "Find all uses", "Shift+F12", on_analysis<find_all_uses>},
    {menu_id::show_problems, "Problems", nullptr, on_analysis<show_problems>},
    {menu_id::rename_name, "Rename", "F2", on_analysis<rename_name>},
};

} // namespace

std::span<const Command> analysis_commands() {
    return analysis_command_table;
}

AnalysisContext analysis_context(App& app) {
    return {*app.analysis,
            app.editor,
            app.documents,
            app.label_list,
            app.window ? app.window->statusBar() : nullptr,
            *app.requesters,
            app.keyword_text,
            app.folders.include,
            app.settings.label_list_outline != 0,
            [&app](const std::string& path) { return open_path(app, path); },
            [&app](int index) { activate_document(app, index); },
            [&app](long line) { jump_to_name_line(app, line); },
            [&app](void* from, const std::string& from_path, long from_line, long line) {
                jump_from_document(app, from, from_path, from_line, line);
            },
            [&app]() { lay_out_splitter(app); },
            [&app]() { fit_label_list_width(app); }};
}

void install_analysis(App& app) {
    app.analysis = std::make_unique<AnalysisState>();
    AnalysisState& state = *app.analysis;
    build_analysis_view(state, app.window.get(), app.editor);
    app.bottom_panels.push_back(state.panel);
    QObject::connect(state.timer, &QTimer::timeout,
                     [&app]() { run_analysis(analysis_context(app)); });
    QObject::connect(state.panel, &QListWidget::itemActivated, [&app](QListWidgetItem* item) {
        go_to_panel_row(analysis_context(app), app.analysis->panel->row(item));
    });
    install_ctrl_click(app.editor, [&app]() { go_to_definition(analysis_context(app)); });
    QObject::connect(&app.document_events, &DocumentEvents::outline_wanted, app.label_list,
                     [&app]() { show_outline(analysis_context(app)); });
    schedule_analysis(state);
}
