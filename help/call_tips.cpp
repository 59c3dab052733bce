// Call-tip texts, argument positions and highlight ranges.
#include "help/call_tips.h"

#include "base/ascii.h"

#include <algorithm>

bool is_keyword_byte(char c) {
    auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || c == '_' ||
           c == '.' || c == '$' || c == '%' || c == '!' || c == '#' || c == '&' || b >= 0x80;
}

std::string call_tip_text(const HelpEntry& entry) {
    return help_text(entry);
}

namespace {

// The length of the word at the start of a syntax line.
std::size_t leading_word(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && is_keyword_byte(line[at])) ++at;
    return at;
}

} // namespace

bool takes_arguments(const HelpEntry& entry) {
    if (entry.syntax.empty()) return false;
    const std::string_view line = entry.syntax.front();
    const std::string_view word = line.substr(0, leading_word(line));
    const bool own =
        equal_ignoring_case(word, entry.word) ||
        std::any_of(entry.aliases.begin(), entry.aliases.end(),
                    [&](const std::string& alias) { return equal_ignoring_case(word, alias); });
    return own && line.find_first_not_of(" \t", word.size()) != std::string_view::npos;
}

int argument_index(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const bool parenthesised = first != std::string_view::npos && text[first] == '(';
    int depth = 0;
    int argument = 0;
    bool in_string = false;
    for (char c : text) {
        if (in_string) {
            if (c == '"') in_string = false;
            continue;
        }
        switch (c) {
        case '"':
            in_string = true;
            break;
        case '(':
            ++depth;
            break;
        case ')':
            if (--depth < (parenthesised ? 1 : 0)) return -1;
            break;
        case ',':
            if (depth == (parenthesised ? 1 : 0)) ++argument;
            break;
        case '\'':
        case ':':
        case '\r':
        case '\n':
            return -1;
        default:
            break;
        }
    }
    return argument;
}

TipRange argument_range(std::string_view tip, int argument) {
    if (argument < 0) return {};
    const std::string_view line = tip.substr(0, std::min(tip.find('\n'), tip.size()));
    const std::size_t at = leading_word(line);
    if (at == 0) return {};
    // A function's arguments are those inside its parentheses.
    std::size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) return {};
    std::size_t end = line.size();
    const bool parenthesised = line[start] == '(';
    if (parenthesised) {
        int depth = 0;
        for (std::size_t i = start; i < line.size(); ++i) {
            if (line[i] == '(') ++depth;
            if (line[i] == ')' && --depth == 0) {
                end = i;
                break;
            }
        }
        ++start;
    }
    // Walk the pieces between commas at the outer level.
    int piece = 0;
    int depth = 0;
    std::size_t piece_start = start;
    for (std::size_t i = start; i <= end; ++i) {
        const bool boundary = i == end || (line[i] == ',' && depth == 0);
        if (i < end && line[i] == '(') ++depth;
        if (i < end && line[i] == ')') --depth;
        if (!boundary) continue;
        if (piece == argument) {
            std::size_t a = piece_start, b = i;
            auto is_trim = [](char c) { return c == ' ' || c == '\t' || c == '[' || c == ']'; };
            while (a < b && is_trim(line[a])) ++a;
            while (b > a && is_trim(line[b - 1])) --b;
            return a < b ? TipRange{a, b} : TipRange{};
        }
        ++piece;
        piece_start = i + 1;
    }
    return {};
}
