// Recognising CSUB, CFUNCTION and DEFINEFONT blocks line by line.
#include "tools/data_blocks.h"

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The next blank-separated word of `rest`, which moves past it.
std::string_view next_word(std::string_view& rest) {
    std::size_t start = 0;
    while (start < rest.size() && is_blank(rest[start])) ++start;
    std::size_t end = start;
    while (end < rest.size() && !is_blank(rest[end])) ++end;
    std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

bool equals_upper(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upper[i]) return false;
    }
    return true;
}

bool is_block_word(std::string_view word) {
    return equals_upper(word, "CSUB") || equals_upper(word, "CFUNCTION") ||
           equals_upper(word, "DEFINEFONT");
}

} // namespace

BlockLine DataBlockTracker::next(std::string_view line) {
    std::string_view rest = line;
    std::string_view first = next_word(rest);
    if (!inside) {
        if (!is_block_word(first)) return BlockLine::code;
        inside = true;
        return BlockLine::opens;
    }
    if (equals_upper(first, "END") && is_block_word(next_word(rest))) {
        inside = false;
        return BlockLine::closes;
    }
    return BlockLine::data;
}
