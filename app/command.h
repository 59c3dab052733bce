// One entry of the command table: a menu id, its procedure and, where useful, whether it can
// run now and whether its menu item shows a check mark. Each subsystem offers its own list.
#pragma once

#include <span>

struct App;

struct Command {
    int id;
    void (*run)(App&);
    bool (*enabled)(App&) = nullptr; // null: always enabled
    bool (*checked)(App&) = nullptr; // null: not checkable
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
