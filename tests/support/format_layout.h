// What Format must leave alone in a line, for its property tests and fuzz target.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// The line once leading and trailing blanks and the blanks after a leading line number are
// dropped: input and output must agree on it.
inline std::string without_layout(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    line = line.substr(first, line.find_last_not_of(' ') - first + 1);
    const std::string_view word = line.substr(0, line.find(' '));
    const bool number = !word.empty() &&
                        word.find_first_not_of("0123456789") == std::string_view::npos &&
                        word.find_first_not_of('0') != std::string_view::npos;
    if (!number) return std::string(line);
    std::string_view rest = line.substr(word.size());
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    return std::string(word) + std::string(rest);
}

// The blank-separated words of a line: Format may move them but never cut or join one.
inline std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}
