// Whole-text name scanning and lookup over the lines of a program.
#include "documents/name_scan.h"

#include "base/ascii.h"
#include "editor/names.h"

#include <unordered_set>

namespace {

// Calls f(line, index) for every line, the piece after the last line feed included, until f
// returns true.
template <typename F> void for_each_line(std::string_view text, F&& f) {
    std::size_t start = 0;
    long index = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (f(text.substr(start, end - start), index)) return;
        ++index;
        start = end + 1;
    }
}

} // namespace

ScannedNames scan_names_text(std::string_view text) {
    ScannedNames result;
    for_each_line(text, [&](std::string_view line, long) {
        LineNames names = line_names(without_line_end(line));
        if (!names.name.empty()) {
            result.found += ' ';
            result.found += names.name;
            result.names.emplace_back(names.name);
        }
        if (!names.label.empty()) {
            result.found += ' ';
            result.found += names.label;
            result.found += ' ';
            result.found += names.label;
            result.found += ':';
            result.names.emplace_back(names.label);
        }
        return false;
    });
    return result;
}

long find_name_line_in(std::string_view text, std::string_view name) {
    long found = -1;
    // The whole text plus one line feed: its last line is searched too.
    for_each_line(text, [&](std::string_view line, long index) {
        LineNames names = line_names(without_line_end(line));
        if ((names.header && names.name == name) || (!names.label.empty() && names.label == name)) {
            found = index;
            return true;
        }
        return false;
    });
    return found;
}

std::string lower_names(std::string_view names) {
    std::string lowered(names);
    for (char& c : lowered) c = lower_ascii(c);
    return lowered;
}

std::string unique_names(const std::vector<std::string>& names) {
    std::unordered_set<std::string> held;
    std::string text;
    for (const std::string& name : names) {
        if (name.empty() || !held.insert(lower_names(name)).second) continue;
        text += name;
        text += ' ';
    }
    return text;
}

std::vector<std::string> label_list_entries(std::string_view names) {
    std::vector<std::string> entries;
    // As many fields as there are blanks; the piece after the last blank is not an entry.
    std::size_t start = 0;
    for (std::size_t blank = names.find(' '); blank != std::string_view::npos;
         blank = names.find(' ', start)) {
        std::string_view field = names.substr(start, blank - start);
        if (field.empty() || field.back() != ':') entries.emplace_back(field);
        start = blank + 1;
    }
    return entries;
}

std::vector<std::string> split_names(std::string_view names) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < names.size()) {
        std::size_t blank = names.find(' ', start);
        if (blank == std::string_view::npos) blank = names.size();
        if (blank > start) result.emplace_back(names.substr(start, blank - start));
        start = blank + 1;
    }
    return result;
}

std::vector<NamedLine> named_lines(std::string_view text) {
    std::vector<NamedLine> result;
    for_each_line(text, [&](std::string_view line, long index) {
        LineNames names = line_names(without_line_end(line));
        if (names.header && !names.name.empty()) result.push_back({std::string(names.name), index});
        if (!names.label.empty()) result.push_back({std::string(names.label), index});
        return false;
    });
    return result;
}
