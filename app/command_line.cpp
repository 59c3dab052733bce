#include "app/command_line.h"

#include <algorithm>
#include <array>

namespace {

// Qt's options that take a value in the next argument (or after '=').
constexpr std::array<std::string_view, 13> toolkit_options_with_value{
    "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
    "display",     "geometry",           "title"};
// The ones Qt also takes as "-name=value".
constexpr std::array<std::string_view, 2> toolkit_options_with_equals{"style", "stylesheet"};
// Qt's options that stand alone.
constexpr std::array<std::string_view, 4> toolkit_flags{"reverse", "widgetcount", "nograb",
                                                        "dograb"};

bool contains(const auto& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The option's name without its one or two leading dashes (Qt takes either).
std::string_view option_name(std::string_view argument) {
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument;
}

} // namespace

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool options_ended = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (options_ended || argument.empty() || argument[0] != '-') {
            line.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options_ended = true;
            continue;
        }
        if (argument == "-h" || argument == "--help") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (line.action == CommandLine::Action::Error) continue; // help may still follow
        if (argument == "-") {
            line.action = CommandLine::Action::Error;
            line.error = "reading a program from standard input is not supported";
            continue;
        }
        const std::string_view name = option_name(argument);
        const size_t equals = name.find('=');
        if (contains(toolkit_flags, name)) {
            line.toolkit_arguments.push_back(argument);
        } else if (equals != std::string_view::npos &&
                   contains(toolkit_options_with_equals, name.substr(0, equals))) {
            line.toolkit_arguments.push_back(argument);
        } else if (contains(toolkit_options_with_value, name)) {
            if (i + 1 == arguments.size()) {
                line.action = CommandLine::Action::Error;
                line.error = "option '" + argument + "' needs a value";
                continue;
            }
            line.toolkit_arguments.push_back(argument);
            line.toolkit_arguments.push_back(arguments[++i]);
        } else {
            line.action = CommandLine::Action::Error;
            line.error = "unknown option '" + argument + "'";
        }
    }
    if (line.action == CommandLine::Action::Error) {
        line.files.clear();
        line.toolkit_arguments.clear();
    }
    return line;
}

std::string usage_text(std::string_view program) {
    const std::string name(program);
    return "Usage: " + name +
           " [OPTION]... [FILE]...\n"
           "Edit BASIC programs for the Maximite family of computers.\n"
           "\n"
           "  -h, --help     show this help and end\n"
           "      --version  show the version and end\n"
           "      --         end of the options: every later argument is a file\n"
           "\n"
           "Each FILE is opened in its own tab. When the editor already runs for this\n"
           "user, the files are opened there and this start ends at once. Qt's own\n"
           "options, such as -style NAME or -platform NAME, are passed on to Qt.\n";
}

std::string version_text(std::string_view program_name, std::string_view version) {
    return std::string(program_name) + " " + std::string(version) + "\n";
}

std::string error_text(std::string_view program, std::string_view error) {
    const std::string name(program);
    return name + ": " + std::string(error) + "\nTry '" + name + " --help' for more information.\n";
}
