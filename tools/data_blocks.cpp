// Recognising CSUB, CFUNCTION and DEFINEFONT blocks line by line.
#include "tools/data_blocks.h"

#include "base/ascii.h"

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The next blank-separated word of `rest`, which moves past it.
std::string_view next_word(std::string_view& rest) {
    std::size_t start = 0;
    while (start < rest.size() && is_space(rest[start])) ++start;
    std::size_t end = start;
    while (end < rest.size() && !is_space(rest[end])) ++end;
    std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
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
