// The name rules for one program line.
#include "editor/names.h"

#include "base/ascii.h"

bool equals_lower(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != lower[i]) return false;
    }
    return true;
}

std::string_view without_line_end(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

std::string_view first_field(std::string_view line) {
    line = trim_blanks(line);
    std::size_t end = 0;
    while (end < line.size() && !is_blank(line[end])) ++end;
    return line.substr(0, end);
}

std::string_view second_field(std::string_view line) {
    line = trim_blanks(line);
    std::size_t end = 0;
    while (end < line.size() && !is_blank(line[end])) ++end;
    return first_field(line.substr(end));
}

std::string_view identifier_of(std::string_view field) {
    return field.substr(0, field.find('('));
}

LineNames line_names(std::string_view line) {
    LineNames names;
    std::string_view w1 = first_field(line);
    if (equals_lower(w1, "sub") || equals_lower(w1, "function")) {
        names.header = true;
        names.name = identifier_of(second_field(line));
    }
    if (w1.size() > 1 && w1.back() == ':') names.label = w1.substr(0, w1.size() - 1);
    return names;
}
