// Cutting a program line's code into tokens.
#include "analysis/code_tokens.h"

#include "base/ascii.h"
#include "tools/line_scan.h"

namespace {

bool starts_name(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::size_t word_end(std::string_view line, std::size_t i) {
    while (i < line.size() && is_word_byte(line[i])) ++i;
    if (i < line.size() && is_type_suffix(line[i])) ++i;
    return i;
}

} // namespace

CodeLine tokenize_code_line(std::string_view line, std::size_t from, std::size_t line_offset,
                            std::size_t line_index, std::vector<CodeToken>& out) {
    CodeLine result;
    const std::size_t comment = comment_start(line, from);
    result.code_end = comment == std::string_view::npos ? line.size() : comment;
    const std::string_view code = line.substr(0, result.code_end);
    bool blank = true;
    std::size_t i = from;
    while (i < code.size()) {
        const char c = code[i];
        if (is_blank(c)) {
            blank = true;
            ++i;
            continue;
        }
        CodeToken token{CodeTokenKind::symbol, line_offset + i, 1, line_index, blank};
        std::size_t end = i + 1;
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos) {
                result.open_string = true;
                result.string_at = i;
                end = code.size();
            } else {
                end = close + 1;
            }
            token.kind = CodeTokenKind::string;
        } else if (starts_name(c)) {
            end = word_end(code, i);
            token.kind = CodeTokenKind::word;
        } else if (is_digit(c) || (c == '.' && i + 1 < code.size() && is_digit(code[i + 1])) ||
                   (c == '&' && i + 1 < code.size() && is_word_byte(code[i + 1]))) {
            end = word_end(code, i + 1);
            token.kind = CodeTokenKind::number;
        } else if (c == '.' && i + 1 < code.size() && starts_name(code[i + 1])) {
            end = word_end(code, i + 1);
            token.kind = CodeTokenKind::member;
        }
        token.length = end - i;
        out.push_back(token);
        blank = false;
        i = end;
    }
    return result;
}
