// What the command line asks for: help, the version, or an editor with files to open.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    enum class Action { Edit, Help, Version, Error };
    Action action = Action::Edit;
    std::vector<std::string> files; // in the order given, as given (not yet made absolute)
    // Qt's own options with their values, in order, for QApplication to take.
    std::vector<std::string> toolkit_arguments;
    std::string error; // with Action::Error: what was wrong, one line without the program name
};

// Reads the arguments after the program's own path. "-h"/"--help" and "--version" win over
// everything else before "--"; any other argument starting with '-' is an error unless it is
// one of Qt's options (such as "-style NAME"); "--" ends the options, so every later argument
// is a file. A lone "-" (standard input) is refused: the editor opens files only; "./-" or
// "-- -" names a file called "-".
CommandLine parse_command_line(const std::vector<std::string>& arguments);

// The text printed by --help, ending in a line feed.
std::string usage_text(std::string_view program);
// The text printed by --version: "<name> <version>" and a line feed.
std::string version_text(std::string_view program_name, std::string_view version);
// The lines printed on standard error for a command-line error.
std::string error_text(std::string_view program, std::string_view error);
