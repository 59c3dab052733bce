// One entry of the command table: a menu id, the text of its menu item and its shortcut, its
// procedure and, where useful, whether it can run now and whether its item shows a check mark.
// Each subsystem offers its own list; the menus, the toolbar and the shortcuts are built from
// them.
#pragma once

#include <span>

struct App;

struct Command {
    int id;
    // The menu item's text, "&" before the access key. Null for an item whose text is set
    // where it is shown (the recent files, the external links) and for a shortcut of its own.
    // A "\t" and a key in it show a key handled elsewhere: by the editing control, or by
    // another command's shortcut.
    const char* text;
    // The window's shortcut in portable notation ("Ctrl+O"), shown beside the text; or null.
    const char* keys;
    void (*run)(App&);
    bool (*enabled)(const App&) = nullptr; // null: always enabled
    bool (*checked)(const App&) = nullptr; // null: not checkable
};

// The lists of the subsystems, joined by the command table. A new subsystem adds its list here
// and in command_lists() of app/commands.cpp.
std::span<const Command> app_commands();
std::span<const Command> tool_commands();
std::span<const Command> editor_commands();
std::span<const Command> recent_commands();
std::span<const Command> find_commands();
std::span<const Command> help_commands();
std::span<const Command> device_commands();
std::span<const Command> board_files_commands();
std::span<const Command> analysis_commands();
