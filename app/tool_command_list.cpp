// The commands of the tools bound to the application: saving, printing, the preferences and
// the Program menu's transformations.
#include "app/tool_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "app/view_commands.h"
#include "documents/name_refresh.h"
#include "documents/saving.h"
#include "editor/edit_commands.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/file_commands.h"
#include "tools/merge_report_commands.h"
#include "tools/preferences_window.h"
#include "tools/print_command.h"
#include "tools/program_context.h"
#include "tools/program_tool_commands.h"
#include "tools/transform_commands.h"

namespace {

bool has_text(const App& app) {
    return app.editor && sci_length(app.editor) > 0;
}
// The program tools work on programs; a variable report is not one.
bool is_program(const App& app) {
    const Document* document = app.documents.current_document();
    return document && document->report_of.empty();
}

// A Program menu tool, run on the current program.
template <void (*Tool)(const ProgramContext&)> void on_program(App& app) {
    Tool(program_context(app));
}

constexpr Command tool_command_table[] = {
    {menu_id::save, "&Save", "Ctrl+S", [](App& app) { save(app); }},
    {menu_id::save_as, "Save As", nullptr, [](App& app) { save_as(app); }},
    {menu_id::save_selection, "Save Selection", nullptr, [](App& app) { save_selection(app); },
     [](const App& app) { return editor_has_selection(app.editor); }},
    {menu_id::restore, "Restore", nullptr, [](App& app) { restore_document(app); },
     [](const App& app) { return can_restore(app); }},
    {menu_id::insert_file_after_line, "Insert File after current line", nullptr,
     [](App& app) { insert_file_after_line(app); }},
    {menu_id::insert_file_at_end, "Insert file at end", nullptr,
     [](App& app) { insert_file_at_end(app); }},
    {menu_id::print, "Print", nullptr,
     [](App& app) {
         print_document(app.editor, app.documents.current_document(), *app.requesters);
     },
     has_text},
    {menu_id::preferences, "Preferences", nullptr,
     [](App& app) { open_preferences(app, app.preferences); }},
    {menu_id::remove_indents, "Remove indents and trailing spaces", nullptr,
     on_program<remove_indents>},
    {menu_id::format, "Format", nullptr, on_program<format_document>},
    {menu_id::remove_line_numbers, "Remove program line numbers", nullptr,
     on_program<remove_line_numbers_command>, is_program},
    {menu_id::add_line_numbers, "Add program line numbers", nullptr,
     on_program<add_line_numbers_command>, is_program},
    {menu_id::remove_blank_lines, "Remove blank lines", nullptr,
     on_program<remove_blank_lines_command>, is_program},
    {menu_id::remove_comments, "Remove comments and blank lines", nullptr,
     on_program<remove_comments_command>, is_program},
    {menu_id::merge, "Merge", nullptr, [](App& app) { merge_command(app); }, is_program},
    {menu_id::variable_report, "Display Variable report", nullptr,
     [](App& app) { variable_report_command(app); }, is_program},
};

} // namespace

std::span<const Command> tool_commands() {
    return tool_command_table;
}

ProgramContext program_context(App& app) {
    return {app.editor,
            *app.editor_record,
            app.documents.current_document(),
            *app.requesters,
            app.settings.options,
            current_syntax(app),
            app.documents.current_names,
            [&app]() { refresh_names_from_text(app); }};
}
