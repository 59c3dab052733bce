// The table binding menu ids to their procedures, and the events of the main window's controls.
#include "app/commands.h"

#include "analysis/analysis_context.h"
#include "analysis/analysis_view.h"
#include "app/about.h"
#include "app/analysis_command_list.h"
#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "app/shutdown.h"
#include "app/view_commands.h"
#include "app/window_menus.h"
#include "base/file_io.h"
#include "documents/document_commands.h"
#include "documents/jumps.h"
#include "documents/navigation.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "editor/typing_aids.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

namespace {

void quit_command(App& app) {
    if (request_quit(app) && app.window) app.window->close();
}
void select_all(App& app) {
    sci_select_all(app.editor);
}
void clear_bookmarks(App& app) {
    sci_marker_delete_all(app.editor, marker_bookmark);
}
void dos_line_endings(App& app) {
    set_line_end_mode(app, 0);
}
void unix_line_endings(App& app) {
    set_line_end_mode(app, 1);
}
void return_key(App& app) {
    const Document* document = app.documents.current_document();
    new_line_command(*app.editor_record, app.editor, app.settings.options,
                     line_end_text(document ? document->line_end : LineEnd::crlf),
                     app.editor && app.editor->hasFocus());
}

template <int Id> bool view_option_on(const App& app) {
    return is_view_option_on(app, Id);
}
template <int Id> void toggle_view(App& app) {
    toggle_view_option(app, Id);
}

constexpr Command app_command_table[] = {
    {menu_id::new_file, "&New", "Ctrl+N", [](App& app) { new_document(app); }},
    {menu_id::open, "&Open", "Ctrl+O", [](App& app) { open_with_requester(app); }},
    {menu_id::quit, "exit", nullptr, quit_command},
    {menu_id::select_all, "Select All\tCtrl+A", nullptr, select_all},
    {menu_id::dos_line_endings, "DOS line endings", nullptr, dos_line_endings, nullptr,
     [](const App& app) { return shown_line_end(app) == LineEnd::crlf; }},
    {menu_id::unix_line_endings, "UNIX line endings", nullptr, unix_line_endings, nullptr,
     [](const App& app) { return shown_line_end(app) == LineEnd::lf; }},
    {menu_id::view_colour, "Syntax colouring", nullptr, toggle_view<menu_id::view_colour>, nullptr,
     view_option_on<menu_id::view_colour>},
    {menu_id::view_upper_case, "Capitalize keywords", nullptr,
     toggle_view<menu_id::view_upper_case>, nullptr, view_option_on<menu_id::view_upper_case>},
    {menu_id::view_white_space, "Mark spaces", nullptr, toggle_view<menu_id::view_white_space>,
     nullptr, view_option_on<menu_id::view_white_space>},
    {menu_id::view_line_endings, "Show line endings", nullptr,
     toggle_view<menu_id::view_line_endings>, nullptr, view_option_on<menu_id::view_line_endings>},
    {menu_id::view_indent_guides, "Indent guides", nullptr,
     toggle_view<menu_id::view_indent_guides>, nullptr,
     view_option_on<menu_id::view_indent_guides>},
    {menu_id::view_auto_indent, "Auto-indent", nullptr, toggle_view<menu_id::view_auto_indent>,
     nullptr, view_option_on<menu_id::view_auto_indent>},
    {menu_id::view_line_numbers, "Physical line numbers", nullptr,
     toggle_view<menu_id::view_line_numbers>, nullptr, view_option_on<menu_id::view_line_numbers>},
    {menu_id::maximite_syntax, "Maximite Syntax", nullptr,
     [](App& app) { set_syntax(app, Syntax::maximite); }, nullptr,
     [](const App& app) { return current_syntax(app) == Syntax::maximite; }},
    {menu_id::alternate_syntax, "Alternate Syntax", nullptr,
     [](App& app) { set_syntax(app, Syntax::alternate); }, nullptr,
     [](const App& app) { return current_syntax(app) == Syntax::alternate; }},
    {menu_id::toggle_bookmark, "Toggle bookmark", nullptr,
     [](App& app) { toggle_bookmark(app.editor); }},
    {menu_id::previous_bookmark, "Goto previous bookmark", nullptr,
     [](App& app) { previous_bookmark(app.editor, app.settings.options.scroll_margin); }},
    {menu_id::next_bookmark, "Goto next bookmark", nullptr,
     [](App& app) { next_bookmark(app.editor, app.settings.options.scroll_margin); }},
    {menu_id::clear_bookmarks, "Clear all bookmarks", nullptr, clear_bookmarks},
    {menu_id::goto_line, "Goto line number", "Ctrl+G",
     [](App& app) {
         goto_line_command(app.editor, app.documents.current_document(), *app.requesters,
                           app.settings.options.scroll_margin);
     }},
    {menu_id::return_from_name, "Return from Sub/Function", "Ctrl+B",
     [](App& app) { return_from_jump(app); }},
    {menu_id::about, "About", nullptr, show_about},
    {menu_id::return_key, nullptr, nullptr, return_key},
};

// Every subsystem's list; an id is looked up in this order.
std::span<const Command> command_lists[] = {
    app_commands(),  tool_commands(),   editor_commands(),      recent_commands(),  find_commands(),
    help_commands(), device_commands(), board_files_commands(), analysis_commands()};

const Command* find_command(int id) {
    for (std::span<const Command> list : command_lists)
        for (const Command& command : list)
            if (command.id == id) return &command;
    return nullptr;
}

} // namespace

std::span<const Command> app_commands() {
    return app_command_table;
}

void run_command(App& app, int id) {
    const Command* command = find_command(id);
    if (!command) return;
    command->run(app);
    // A command with a check mark may have changed it; whatever else changes an option (opening,
    // switching or reloading a document, the preferences) refreshes the marks where it does.
    if (command->checked) refresh_check_marks(app);
}

bool is_checkable_command(int id) {
    const Command* command = find_command(id);
    return command && command->checked;
}

bool is_command_enabled(const App& app, int id) {
    const Command* command = find_command(id);
    return !command || !command->enabled || command->enabled(app);
}

bool is_command_checked(const App& app, int id) {
    const Command* command = find_command(id);
    return command && command->checked && command->checked(app);
}

std::string command_menu_text(int id) {
    const Command* command = find_command(id);
    if (!command || !command->text) return {};
    std::string text = command->text;
    if (command->keys) text += std::string("\t") + command->keys;
    return text;
}

std::vector<std::pair<int, std::string>> command_shortcuts() {
    std::vector<std::pair<int, std::string>> shortcuts;
    for (std::span<const Command> list : command_lists)
        for (const Command& command : list)
            if (command.keys) shortcuts.emplace_back(command.id, command.keys);
    return shortcuts;
}

bool request_quit(App& app) {
    if (app.quit_flag == 1) return true;
    if (app.settings.confirm_before_exit == 1 &&
        app.requesters->message("Quit", "Are you sure you want to quit Zell Edit?",
                                Buttons::YesNo) != Answer::Yes)
        return false;
    if (!shut_down(app)) return false;
    app.quit_flag = 1;
    QCoreApplication::quit();
    return true;
}

void tab_bar_event(App& app, int code, int position) {
    switch (code) {
    case 1:
        new_document(app);
        break;
    case 2:
        close_with_prompt(app, position, 0);
        break;
    case 3:
        activate_document(app, position);
        break;
    default:
        break;
    }
}

void run_files_dropped(App& app, const std::string& paths) {
    open_files(app, paths);
}

void label_list_clicked(App& app) {
    if (app.settings.label_list_outline && app.document_events.outline_drawn())
        go_to_outline_row(analysis_context(app), app.label_list->currentRow());
    else
        jump_to_name(app);
}

QMimeData* tab_drag_data(App& app, int position) {
    if (position < 0 || position >= app.documents.count()) return nullptr;
    // A document never saved (untitled.bas) has no file to carry yet.
    const std::string& path = app.documents.documents[position].path;
    if (path.empty() || !is_regular_file(path)) return nullptr;
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    return data;
}
