#include "documents/recent_files.h"

#include "base/folders.h"
#include "base/ini_file.h"

#include <algorithm>

ViewState parse_view_state(std::string_view bytes) {
    ViewState state;
    IniFile file = parse_ini(bytes);
    state.zoom = std::clamp(ini_int(file, ini_group(file, "View"), "Zoom", 0), -10, 20);
    const IniGroup* group = ini_group(file, "Recent");
    for (std::size_t i = 1; group && i <= recent_capacity; ++i) {
        std::string path(trim_blanks(ini_text(file, group, "File" + std::to_string(i), "")));
        if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) continue;
        if (std::find(state.recent.begin(), state.recent.end(), path) == state.recent.end())
            state.recent.push_back(path);
    }
    return state;
}

std::string view_state_text(const ViewState& state) {
    IniWriter writer;
    ini_write_group(writer, "View");
    ini_write_int(writer, "Zoom", state.zoom);
    ini_write_group(writer, "Recent");
    for (std::size_t i = 0; i < state.recent.size() && i < recent_capacity; ++i)
        ini_write_text(writer, "File" + std::to_string(i + 1), state.recent[i]);
    return writer.text;
}

void add_recent(std::vector<std::string>& recent, const std::string& path) {
    remove_recent(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > recent_capacity) recent.resize(recent_capacity);
}

void remove_recent(std::vector<std::string>& recent, const std::string& path) {
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
}

std::string recent_item_text(std::size_t index, std::string_view path) {
    std::string number = index + 1 < 10 ? "&" + std::to_string(index + 1) : "1&0";
    std::string name;
    for (char c : file_name_of(path)) {
        name += c;
        if (c == '&') name += '&';
    }
    return number + " " + name;
}
