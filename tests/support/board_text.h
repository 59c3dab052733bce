// Small text helpers of the simulated board: the console reads typed lines with these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace board_text {

// The text between the first pair of quotes, or empty.
inline std::string quoted(std::string_view line) {
    std::size_t open = line.find('"');
    if (open == std::string_view::npos) return {};
    std::size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) close = line.size();
    return std::string(line.substr(open + 1, close - open - 1));
}

inline std::vector<std::string> program_lines(const std::string& program) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < program.size()) {
        std::size_t end = program.find_first_of("\r\n", start);
        if (end == std::string::npos) end = program.size();
        lines.emplace_back(program, start, end - start);
        start = end + 1;
        if (end + 1 < program.size() && program[end] == '\r' && program[end + 1] == '\n') ++start;
    }
    return lines;
}

} // namespace board_text
