// The folder and path rules of start-up: program, data, current and include folders.
#include "base/folders.h"

#include <cstdint>

namespace {

std::size_t after_last_separator(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

std::string folder_of(std::string_view path) {
    return std::string(path.substr(0, after_last_separator(path)));
}

std::string file_name_of(std::string_view path) {
    return std::string(path.substr(after_last_separator(path)));
}

std::string with_separator(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
    return folder;
}

Folders make_folders(std::string_view program_folder, bool portable_marker_is_file,
                     std::string_view app_data_folder, std::string_view documents_folder) {
    Folders folders;
    folders.program = with_separator(std::string(program_folder));
    folders.portable = portable_marker_is_file;
    folders.data = portable_marker_is_file ? folders.program + "data/"
                                           : with_separator(std::string(app_data_folder));
    folders.current = with_separator(std::string(documents_folder));
    folders.include = folders.current;
    folders.keyword_path = folders.data + "Zellcmndlist.dat";
    folders.intro_path = folders.data + "newfile.txt";
    folders.settings_path = folders.data + "Zelledit2.inf";
    return folders;
}

std::string os_version_text(std::string_view platform_name, int major, int minor) {
    const std::int64_t number = static_cast<std::int64_t>(major) * 100 + minor;
    return std::string(platform_name) + " " + std::to_string(number);
}

std::string absolute_clean_path(std::string_view path, std::string_view base_folder) {
    if (path.empty()) return {};
    if (path.size() >= 2 && path[1] == ':') return std::string(path);
    std::string joined = path.front() == '/' ? std::string(path)
                                             : std::string(base_folder) + "/" + std::string(path);
    std::vector<std::string_view> pieces;
    std::string_view rest = joined;
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string_view piece = rest.substr(0, slash);
        if (piece == "..") {
            if (!pieces.empty()) pieces.pop_back();
        } else if (!piece.empty() && piece != ".") {
            pieces.push_back(piece);
        }
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    std::string clean;
    for (std::string_view piece : pieces) {
        clean += '/';
        clean += piece;
    }
    const bool folder = joined.back() == '/' || path == "." || path == ".." ||
                        path.ends_with("/.") || path.ends_with("/..");
    if (clean.empty() || folder) clean += '/';
    return clean;
}

std::vector<std::string> absolute_arguments(const std::vector<std::string>& args,
                                            std::string_view base_folder) {
    std::vector<std::string> absolute;
    absolute.reserve(args.size());
    for (const std::string& arg : args) absolute.push_back(absolute_clean_path(arg, base_folder));
    return absolute;
}

std::string command_line_list(const std::vector<std::string>& args) {
    std::string list;
    for (const std::string& arg : args) {
        list += '\n';
        list += arg;
    }
    return list;
}
