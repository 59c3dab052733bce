// Block structure of a line as the boards read it.
#include "tools/block_rules.h"

#include "base/ascii.h"
#include "tools/transform.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A byte that would make a word part of a longer name: "Loop.count", "Next$", "For_all".
bool continues_name(char c) {
    return is_letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '$' || c == '%' ||
           c == '!';
}

// Splits a statement into its leading words: runs of letters standing alone (not the start of
// a longer name). Stops at the first thing that is no such word.
struct Words {
    std::array<std::string_view, 2> word{};
    std::size_t count = 0;
};

Words leading_words(std::string_view statement) {
    Words words;
    while (words.count < words.word.size()) {
        statement = trim_blanks(statement);
        std::size_t end = 0;
        while (end < statement.size() && is_letter(statement[end])) ++end;
        if (end == 0 || (end < statement.size() && continues_name(statement[end]))) break;
        words.word[words.count++] = statement.substr(0, end);
        statement.remove_prefix(end);
    }
    return words;
}

// The last word of a statement, when it stands alone ("x>1)THEN" ends with THEN).
std::string_view last_word(std::string_view statement) {
    statement = trim_blanks(statement);
    std::size_t start = statement.size();
    while (start > 0 && is_letter(statement[start - 1])) --start;
    if (start > 0 && continues_name(statement[start - 1])) return {};
    return statement.substr(start);
}

bool is_rem(std::string_view statement) {
    const Words words = leading_words(statement);
    return words.count >= 1 && equals_upper(words.word[0], "REM");
}

// IF ... THEN with nothing after THEN but a REM comment.
bool opens_if_block(std::string_view statement) {
    if (equals_upper(last_word(statement), "THEN")) return true;
    // "IF x THEN REM why": the comment after THEN leaves the block open.
    for (std::size_t at = statement.find(' '); at != std::string_view::npos;
         at = statement.find(' ', at + 1)) {
        const std::string_view before = trim_blanks(statement.substr(0, at));
        if (equals_upper(last_word(before), "THEN") && is_rem(statement.substr(at))) return true;
    }
    return false;
}

void decrease(FormatState& state, int times = 1) {
    state.level = std::max(state.level - times, 0);
}

// One statement; `last` tells whether another statement follows on the line.
void apply_statement(std::string_view statement, bool last, FormatState& state) {
    state.level += state.pending;
    state.pending = 0;
    const Words words = leading_words(statement);
    if (words.count == 0) return;
    const std::string_view first = words.word[0];
    const std::string_view second = words.count > 1 ? words.word[1] : std::string_view{};
    if (equals_upper(first, "IF")) {
        if (last && opens_if_block(statement)) state.pending = 1;
    } else if (equals_upper(first, "FOR") || equals_upper(first, "WHILE") ||
               equals_upper(first, "TYPE")) {
        state.pending = 1;
    } else if (equals_upper(first, "DO")) {
        state.pending = 1;
    } else if (equals_upper(first, "SELECT")) {
        // CASE lines stand one level in, their bodies two.
        if (equals_upper(second, "CASE")) state.pending = 2;
    } else if (equals_upper(first, "ELSE") || equals_upper(first, "ELSEIF") ||
               equals_upper(first, "CASE")) {
        state.pending = 1;
        decrease(state);
    } else if (equals_upper(first, "ENDIF") || equals_upper(first, "LOOP") ||
               equals_upper(first, "WEND")) {
        decrease(state);
    } else if (equals_upper(first, "NEXT")) {
        decrease(state, 1 + static_cast<int>(std::count(statement.begin(), statement.end(), ',')));
    } else if (equals_upper(first, "END")) {
        if (equals_upper(second, "IF") || equals_upper(second, "TYPE")) decrease(state);
        if (equals_upper(second, "SELECT")) decrease(state, 2);
    }
}

// The next colon outside a string literal, or npos.
std::size_t next_colon(std::string_view code) {
    bool in_string = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '"') in_string = !in_string;
        if (code[i] == ':' && !in_string) return i;
    }
    return std::string_view::npos;
}

} // namespace

int apply_board_code(std::string_view code, FormatState& state) {
    int stands_at = state.level + state.pending;
    auto apply = [&](std::string_view statement, bool last) {
        apply_statement(statement, last, state);
        stands_at = std::min(stands_at, state.level);
    };
    std::string_view statement;
    bool have = false;
    for (;;) {
        const std::size_t colon = next_colon(code);
        std::string_view next = trim_blanks(code.substr(0, colon));
        const bool ends = next.empty() || is_rem(next);
        if (have) apply(statement, ends);
        if (ends) return stands_at;
        statement = next;
        have = true;
        if (colon == std::string_view::npos) {
            apply(statement, true);
            return stands_at;
        }
        code.remove_prefix(colon + 1);
    }
}

bool is_end_of_routine(std::string_view line) {
    const Words words = leading_words(line.substr(0, next_colon(line)));
    return words.count == 2 && equals_upper(words.word[0], "END") &&
           (equals_upper(words.word[1], "SUB") || equals_upper(words.word[1], "FUNCTION"));
}
