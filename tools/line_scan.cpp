// Reading line numbers, comments, continuations and jump targets of one program line.
#include "tools/line_scan.h"

#include "base/ascii.h"
#include "tools/data_blocks.h"
#include "tools/transform.h"

namespace {

std::size_t skip_blanks(std::string_view line, std::size_t i) {
    while (i < line.size() && is_blank(line[i])) ++i;
    return i;
}

// The length of a line number word at `i`: digits not followed by a word byte; 0 otherwise.
std::size_t number_word_at(std::string_view line, std::size_t i) {
    std::size_t j = i;
    while (j < line.size() && is_digit(line[j])) ++j;
    if (j == i) return 0;
    if (j < line.size() && (is_word_byte(line[j]) || is_type_suffix(line[j]))) return 0;
    return j - i;
}

// What a word asks of the scanner that follows it.
enum class WordKind { other, rem, jump_list, then_else, one_target };

WordKind word_kind(std::string_view word) {
    switch (word.size()) {
    case 3:
        if (equals_upper(word, "REM")) return WordKind::rem;
        if (equals_upper(word, "RUN")) return WordKind::one_target;
        break;
    case 4:
        if (equals_upper(word, "GOTO")) return WordKind::jump_list;
        if (equals_upper(word, "THEN") || equals_upper(word, "ELSE")) return WordKind::then_else;
        if (equals_upper(word, "LIST")) return WordKind::one_target;
        break;
    case 5:
        if (equals_upper(word, "GOSUB")) return WordKind::jump_list;
        break;
    case 7:
        if (equals_upper(word, "RESTORE")) return WordKind::one_target;
        break;
    default:
        break;
    }
    return WordKind::other;
}

// Reads the target after a jump word at `i`; returns where scanning goes on.
std::size_t read_target(std::string_view line, std::size_t i, bool then_else,
                        std::vector<LineReference>* out) {
    const std::size_t at = skip_blanks(line, i);
    const std::size_t length = number_word_at(line, at);
    if (length == 0) return i;
    if (out) out->push_back({at, length, then_else});
    return at + length;
}

// Scans the code of `line` from `from`; collects references into `out` when given and returns
// where the comment begins (npos: none).
std::size_t scan_code(std::string_view line, std::size_t from, bool at_statement,
                      std::vector<LineReference>* out, bool* is_rem, bool* open_string = nullptr) {
    bool in_string = false;
    std::size_t i = from;
    while (i < line.size()) {
        const char c = line[i];
        if (in_string) {
            in_string = c != '"';
            ++i;
        } else if (c == '"') {
            in_string = true;
            at_statement = false;
            ++i;
        } else if (c == '\'') {
            if (is_rem) *is_rem = false;
            return i;
        } else if (c == ':') {
            at_statement = true;
            ++i;
        } else if (is_blank(c)) {
            ++i;
        } else if (is_digit(c) || c == '.') {
            while (i < line.size() && (is_word_byte(line[i]) || is_type_suffix(line[i]))) ++i;
            at_statement = false;
        } else if (!is_word_byte(c)) {
            at_statement = false;
            ++i;
        } else {
            std::size_t j = i;
            while (j < line.size() && is_word_byte(line[j])) ++j;
            if (j < line.size() && is_type_suffix(line[j])) ++j;
            const WordKind kind = word_kind(line.substr(i, j - i));
            if (kind == WordKind::rem && at_statement) {
                if (is_rem) *is_rem = true;
                return i;
            }
            at_statement = false;
            i = j;
            if (kind == WordKind::then_else) {
                const std::size_t after = read_target(line, i, true, out);
                at_statement = after == i; // THEN and ELSE start a statement of their own
                i = after;
            } else if (kind == WordKind::one_target) {
                i = read_target(line, i, false, out);
            } else if (kind == WordKind::jump_list) {
                for (;;) {
                    const std::size_t after = read_target(line, i, false, out);
                    if (after == i) break;
                    const std::size_t next = skip_blanks(line, after);
                    i = after;
                    if (next >= line.size() || line[next] != ',') break;
                    i = next + 1;
                }
            }
        }
    }
    if (open_string) *open_string = in_string;
    return std::string_view::npos;
}

} // namespace

bool is_word_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || is_digit(c) || c == '_' || c == '.';
}

bool is_type_suffix(char c) {
    return c == '$' || c == '%' || c == '!';
}

std::string_view leading_line_number(std::string_view line) {
    const std::size_t start = skip_blanks(line, 0);
    std::size_t end = start;
    bool nonzero = false;
    for (; end < line.size() && is_digit(line[end]); ++end) nonzero = nonzero || line[end] != '0';
    if (end == start || !nonzero) return {};
    if (end < line.size() && !is_blank(line[end])) return {};
    return line.substr(start, end - start);
}

std::string_view line_number_key(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits;
}

std::size_t statement_start(std::string_view line) {
    const std::string_view number = leading_line_number(line);
    if (number.empty()) return skip_blanks(line, 0);
    return skip_blanks(line, static_cast<std::size_t>(number.data() - line.data()) + number.size());
}

std::size_t comment_start(std::string_view line, std::size_t from, bool* is_rem) {
    return scan_code(line, from, true, nullptr, is_rem);
}

bool continues_on_next_line(std::string_view line, std::size_t from) {
    bool open_string = false;
    std::size_t end = scan_code(line, from, true, nullptr, nullptr, &open_string);
    if (open_string) return false; // the "_" is inside the string
    if (end == std::string_view::npos) end = line.size();
    while (end > from && is_blank(line[end - 1])) --end;
    return end - from >= 2 && line[end - 1] == '_' && is_blank(line[end - 2]);
}

void find_line_references(std::string_view line, std::size_t from, bool at_statement,
                          std::vector<LineReference>& out) {
    scan_code(line, from, at_statement, &out, nullptr);
}

ScannedProgram scan_program(std::string_view text) {
    ScannedProgram program;
    std::vector<std::string_view> lines = split_program_lines(text);
    program.lines.reserve(lines.size());
    DataBlockTracker blocks;
    bool continues = false;
    for (std::string_view text_line : lines) {
        ScannedLine line;
        line.text = text_line;
        line.first_reference = program.references.size();
        if (continues) {
            line.continuation = true;
            find_line_references(text_line, 0, false, program.references);
            continues = continues_on_next_line(text_line, 0);
        } else {
            const std::string_view number = leading_line_number(text_line);
            line.start = statement_start(text_line);
            line.data = blocks.next(text_line.substr(line.start)) != BlockLine::code;
            if (!line.data) {
                line.number = number;
                find_line_references(text_line, line.start, true, program.references);
                continues = continues_on_next_line(text_line, line.start);
            }
        }
        line.reference_count = program.references.size() - line.first_reference;
        program.lines.push_back(line);
    }
    return program;
}
