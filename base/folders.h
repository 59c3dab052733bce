// The folder and path rules of start-up: program, data, current and include folders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Every folder value ends in a separator.
struct Folders {
    std::string program, data, current, include;
    bool portable = false;
    std::string keyword_path, intro_path, settings_path;
};

// The folder part of `path`, up to and including the last '/' or '\\'; empty when none.
std::string folder_of(std::string_view path);
// The part of `path` after the last '/' or '\\'.
std::string file_name_of(std::string_view path);
// `folder` ending in a separator: '/' is appended unless it ends in '/' or '\\' already
// (so an empty folder becomes "/", the root).
std::string with_separator(std::string folder);

// Portable mode (a file "portable.inf" beside the program) keeps the data under the program
// folder; otherwise it lives in the per-user application-data folder.
Folders make_folders(std::string_view program_folder, bool portable_marker_is_file,
                     std::string_view app_data_folder, std::string_view documents_folder);

// The platform name, a blank and major * 100 + minor, e.g. "Linux 601" for 6.1.
std::string os_version_text(std::string_view platform_name, int major, int minor);

// `path` made absolute against `base_folder` (itself absolute) and cleaned: empty and "."
// pieces go, ".." takes back the piece before it (never above the root). A trailing separator
// stays; blanks belong to names and stay too. Drive paths ("C:\\x") are kept as they are.
std::string absolute_clean_path(std::string_view path, std::string_view base_folder);
// Every argument made absolute against `base_folder`.
std::vector<std::string> absolute_arguments(const std::vector<std::string>& args,
                                            std::string_view base_folder);

// The arguments, each preceded by one LF.
std::string command_line_list(const std::vector<std::string>& args);
