// The record of a working copy's board file.
#include "boardfiles/board_origin.h"

#include "base/ascii.h"

#include <charconv>

std::string origin_caption(const BoardOrigin& origin) {
    return origin.path + " on " +
           (origin.device.empty() ? std::string("the board") : origin.device);
}

std::string origin_record_path(std::string_view local) {
    const std::size_t slash = local.find_last_of('/');
    const std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
    return std::string(local.substr(0, start)) + "." + std::string(local.substr(start)) + ".board";
}

std::string format_origin(const BoardOrigin& origin) {
    // Values never hold a line end: names from the listing end at one.
    return "device=" + origin.device + "\npath=" + origin.path + "\ndate=" + origin.date +
           "\ntime=" + origin.time + "\nsize=" + std::to_string(origin.size) + "\n";
}

std::optional<BoardOrigin> parse_origin(std::string_view text) {
    BoardOrigin origin;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string value(line.substr(equals + 1));
        if (key == "device") origin.device = value;
        if (key == "path") origin.path = value;
        if (key == "date") origin.date = value;
        if (key == "time") origin.time = value;
        if (key == "size") {
            std::int64_t size = -1;
            auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), size);
            origin.size = error == std::errc() && rest == value.data() + value.size() ? size : -1;
        }
    }
    std::string drive, folder, name;
    if (!split_board_path(origin.path, drive, folder, name)) return std::nullopt;
    return origin;
}

bool split_board_path(std::string_view path, std::string& drive, std::string& folder,
                      std::string& name) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '/') return false;
    const std::size_t slash = path.find_last_of('/');
    if (slash + 1 >= path.size()) return false;
    drive = std::string(path.substr(0, 2));
    folder = slash == 2 ? std::string("/") : std::string(path.substr(2, slash - 2));
    name = std::string(path.substr(slash + 1));
    return true;
}

const BoardEntry* find_listed_file(const BoardListing& listing, std::string_view name) {
    const bool ignore_case = listing_drive(listing.folder) == 'B';
    const std::string upper = upper_text(name);
    for (const BoardEntry& entry : listing.entries) {
        if (entry.folder) continue;
        if (ignore_case ? equals_upper(entry.name, upper) : entry.name == name) return &entry;
    }
    return nullptr;
}

bool board_copy_changed(const BoardOrigin& origin, const BoardEntry& now) {
    return now.date != origin.date || now.time != origin.time || now.size != origin.size;
}
