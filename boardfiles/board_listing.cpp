// Reading FILES output.
#include "boardfiles/board_listing.h"

#include <algorithm>
#include <cctype>

namespace {

bool digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

std::string_view trim_right(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return trim_right(text);
}

// "HH:MM DD-MM-YYYY"
bool stamp(std::string_view text) {
    return text.size() == 16 && digits(text.substr(0, 2)) && text[2] == ':' &&
           digits(text.substr(3, 2)) && text[5] == ' ' && digits(text.substr(6, 2)) &&
           text[8] == '-' && digits(text.substr(9, 2)) && text[11] == '-' &&
           digits(text.substr(12, 4));
}

// "N directories, M files[, F bytes free]"
bool summary(BoardListing& listing, std::string_view line) {
    constexpr std::string_view dirs = " directories, ", files = " files";
    std::size_t d = line.find(dirs);
    if (d == std::string_view::npos || !digits(line.substr(0, d))) return false;
    std::string_view rest = line.substr(d + dirs.size());
    std::size_t f = rest.find(files);
    if (f == std::string_view::npos || !digits(rest.substr(0, f))) return false;
    listing.directories = std::stoi(std::string(line.substr(0, d)));
    listing.files = std::stoi(std::string(rest.substr(0, f)));
    rest = rest.substr(f + files.size());
    constexpr std::string_view free_tail = " bytes free";
    if (rest.starts_with(", ") && rest.ends_with(free_tail)) {
        std::string_view number = rest.substr(2, rest.size() - 2 - free_tail.size());
        if (digits(number)) listing.free_bytes = std::stoll(std::string(number));
    }
    listing.complete = true;
    return true;
}

} // namespace

char listing_drive(std::string_view folder) {
    if (folder.size() < 2 || folder[1] != ':') return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
}

void add_listing_line(BoardListing& listing, std::string_view line) {
    // A pause erased by blanks leaves them after a short line.
    line = trim_right(line);
    if (line.empty() || listing.complete) return;
    constexpr std::string_view dir = "   <DIR>  ";
    if (line.starts_with(dir)) {
        std::string name(line.substr(dir.size()));
        if (name != "." && name != "..") listing.entries.push_back({name, true, 0, "", ""});
        return;
    }
    if (line.size() > 29 && stamp(line.substr(0, 16)) && line[16] == ' ' &&
        digits(trim(line.substr(17, 10))) && line.substr(27, 2) == "  ") {
        BoardEntry entry;
        entry.name = std::string(line.substr(29));
        entry.size = std::stoll(std::string(trim(line.substr(17, 10))));
        entry.time = std::string(line.substr(0, 5));
        entry.date = std::string(line.substr(6, 10));
        listing.entries.push_back(std::move(entry));
        return;
    }
    if (summary(listing, line)) return;
    if (listing.folder.empty() && listing_drive(line) != 0) listing.folder = std::string(line);
}

BoardListing parse_listing(const std::vector<std::string>& lines) {
    BoardListing listing;
    for (const std::string& line : lines) add_listing_line(listing, line);
    std::stable_partition(listing.entries.begin(), listing.entries.end(),
                          [](const BoardEntry& e) { return e.folder; });
    return listing;
}
