// Tracing merged lines back through Merge's markers.
#include "device/line_origin.h"

namespace {

// NAME of "' ==== <prefix>NAME ====", or empty.
std::string marker_name(std::string_view line, std::string_view prefix) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    std::string head = "' ==== " + std::string(prefix);
    if (!line.starts_with(head) || !line.ends_with(" ====")) return {};
    line.remove_prefix(head.size());
    line.remove_suffix(5);
    return line.empty() ? std::string() : std::string(line);
}

} // namespace

LineOrigin origin_of_line(std::string_view text, long line) {
    struct Level {
        std::string name;
        long line = 0;
    };
    std::vector<Level> levels(1);
    std::size_t start = 0;
    for (long number = 1; number <= line && start <= text.size(); ++number) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view current = text.substr(start, end - start);
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
        std::string opened = marker_name(current, "start of ");
        if (!opened.empty()) {
            ++levels.back().line; // stands for the #INCLUDE line
            if (number == line) break;
            levels.push_back({opened, 0});
            continue;
        }
        std::string closed = marker_name(current, "end of ");
        if (!closed.empty() && levels.size() > 1 && levels.back().name == closed) {
            levels.pop_back();
            if (number == line) break; // the marker itself: blame the #INCLUDE line
            continue;
        }
        ++levels.back().line;
    }
    LineOrigin origin;
    for (std::size_t i = 1; i < levels.size(); ++i) origin.includes.push_back(levels[i].name);
    origin.line = levels.back().line;
    return origin;
}
