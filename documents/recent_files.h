// The recent-files list and the editor's text size, kept in a small file of their own in the
// data folder so the settings file stays exactly as it is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t recent_capacity = 10;
inline constexpr const char* view_state_file_name = "Zellrecent.ini";

struct ViewState {
    std::vector<std::string> recent; // newest first, absolute paths, each once
    int zoom = 0;                    // points added to the configured text size
};

// Reads the file's text. Garbage, relative paths, duplicates and entries past the tenth are
// ignored, so a damaged file costs at most its own entries.
ViewState parse_view_state(std::string_view bytes);
std::string view_state_text(const ViewState& state);

// Puts `path` first, removing an earlier entry of it and the oldest past the capacity.
void add_recent(std::vector<std::string>& recent, const std::string& path);
void remove_recent(std::vector<std::string>& recent, const std::string& path);
// "&1 name" ... "&9 name", "1&0 name": the menu text of entry `index` (0-based). Ampersands in
// the name are doubled so they show as themselves.
std::string recent_item_text(std::size_t index, std::string_view path);
