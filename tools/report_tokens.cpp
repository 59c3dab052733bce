// Splitting a statement line into the variable report's tokens.
#include "tools/report_tokens.h"

#include "base/ascii.h"
#include "tools/line_scan.h"

namespace report {

void tokenize(std::string_view code, std::vector<Token>& out) {
    out.clear();
    std::size_t i = 0;
    while (i < code.size()) {
        const char c = code[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '"') {
            std::size_t end = code.find('"', i + 1);
            end = end == std::string_view::npos ? code.size() : end + 1;
            out.push_back({TokenKind::string, code.substr(i, end - i)});
            i = end;
        } else if ((c >= '0' && c <= '9') || c == '.' || c == '&') {
            std::size_t j = i + 1;
            while (j < code.size() && is_word_byte(code[j])) ++j;
            out.push_back({TokenKind::number, code.substr(i, j - i)});
            i = j;
        } else if (is_word_byte(c)) {
            std::size_t j = i;
            while (j < code.size() && is_word_byte(code[j])) ++j;
            if (j < code.size() && is_type_suffix(code[j])) ++j;
            out.push_back({TokenKind::word, code.substr(i, j - i)});
            i = j;
        } else {
            out.push_back({TokenKind::symbol, code.substr(i, 1)});
            ++i;
        }
    }
}

std::string type_of_suffix(std::string_view name) {
    switch (name.empty() ? ' ' : name.back()) {
    case '%':
        return "INTEGER";
    case '$':
        return "STRING";
    case '!':
        return "FLOAT";
    default:
        return {};
    }
}

bool is_pin_name(std::string_view upper) {
    return upper.size() > 2 && upper.substr(0, 2) == "GP" &&
           upper.find_first_not_of("0123456789", 2) == std::string_view::npos;
}

} // namespace report
