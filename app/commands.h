// The command table: every menu id, toolbar button and shortcut runs through run_command.
#pragma once

#include <string>
#include <utility>
#include <vector>

class QMimeData;
struct App;

// Runs the procedure bound to a menu id; ids without one do nothing.
void run_command(App& app, int id);
// Whether the menu item shows a check mark (view toggles and line-end modes).
bool is_checkable_command(int id);
// Whether the command can run now (greys out its menu item) and whether its item is checked.
bool is_command_enabled(const App& app, int id);
bool is_command_checked(const App& app, int id);
// The text of the command's menu item, its shortcut after a tab; empty when it has none.
std::string command_menu_text(int id);
// Every command that has a shortcut of the window: its id and keys ("Ctrl+O").
std::vector<std::pair<int, std::string>> command_shortcuts();

// The quit rule: asks when "Confirm before Exit" is 1, then runs the shutdown sequence.
// Returns true when the program is ending.
bool request_quit(App& app);

// Events from the controls of the main window.
void tab_bar_event(App& app, int code, int position);
// What the tab at `position` carries when dragged out of the bar: its document's file, so that
// dropping it on the Board files panel (or a file manager) takes the file; null for a document
// never saved.
QMimeData* tab_drag_data(App& app, int position);
void run_files_dropped(App& app, const std::string& paths);
void label_list_clicked(App& app);
