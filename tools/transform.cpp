// Removing indentation and re-indenting BASIC programs line by line.
#include "tools/transform.h"

#include "base/ascii.h"
#include "tools/block_rules.h"
#include "tools/data_blocks.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_set>

namespace {

bool ends_with_upper(std::string_view text, std::string_view upper_tail) {
    return text.size() >= upper_tail.size() &&
           equals_upper(text.substr(text.size() - upper_tail.size()), upper_tail);
}

bool contains_upper(std::string_view text, std::string_view upper_part) {
    if (upper_part.size() > text.size()) return false;
    for (std::size_t i = 0; i + upper_part.size() <= text.size(); ++i)
        if (equals_upper(text.substr(i, upper_part.size()), upper_part)) return true;
    return false;
}

std::string_view trim_spaces(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Text up to the first space.
std::string_view first_word(std::string_view text) {
    return text.substr(0, text.find(' '));
}

// Everything before the first apostrophe outside a string literal, trimmed.
std::string_view code_part(std::string_view line) {
    bool in_string = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            in_string = !in_string;
        } else if (line[i] == '\'' && !in_string) {
            return trim_spaces(line.substr(0, i));
        }
    }
    return trim_spaces(line);
}

// The length of the line number that `word` is: a word made only of digits with a value above
// 0; 0 when it is no line number. A word that merely starts with digits ("10PRINT", the hex data
// "3030180C") is never one, so it is never cut. The value is never computed, so any number of
// digits is safe.
std::size_t line_number_length(std::string_view word) {
    bool nonzero = false;
    for (char c : word) {
        if (c < '0' || c > '9') return 0;
        nonzero = nonzero || c != '0';
    }
    return nonzero ? word.size() : 0;
}

void decrease(FormatState& state) {
    state.level = std::max(state.level - 1, 0);
}

// Applies one statement (trimmed, non-empty) to the formatter state.
void apply_statement(std::string_view statement, FormatState& state) {
    state.level += state.pending;
    state.pending = 0;
    std::string_view word = first_word(statement);
    if (equals_upper(word, "IF")) {
        if (ends_with_upper(statement, " THEN")) state.pending = 1;
    } else if (equals_upper(word, "ENDIF") || equals_upper(word, "LOOP") ||
               equals_upper(word, "WEND")) {
        decrease(state);
    } else if (equals_upper(word, "ELSE") || equals_upper(word, "ELSEIF")) {
        state.pending = 1;
        decrease(state);
    } else if (equals_upper(word, "FOR") || equals_upper(word, "WHILE")) {
        state.pending = 1;
    } else if (equals_upper(word, "NEXT")) {
        decrease(state);
        for (char c : statement)
            if (c == ',') decrease(state);
    } else if (equals_upper(word, "DO")) {
        if (!contains_upper(statement, " LOOP") && !contains_upper(statement, ":LOOP"))
            state.pending = 1;
    }
}

// Splits the code part at every colon and applies each statement up to the first empty one.
void apply_code(std::string_view code, FormatState& state) {
    for (;;) {
        std::size_t colon = code.find(':');
        std::string_view statement = trim_spaces(code.substr(0, colon));
        if (statement.empty()) return;
        apply_statement(statement, state);
        if (colon == std::string_view::npos) return;
        code.remove_prefix(colon + 1);
    }
}

// The names as a set, for many lookups in one run.
std::unordered_set<std::string_view> name_set(std::string_view names) {
    std::unordered_set<std::string_view> set;
    while (!names.empty()) {
        std::size_t blank = names.find(' ');
        set.insert(names.substr(0, blank));
        if (blank == std::string_view::npos) break;
        names.remove_prefix(blank + 1);
    }
    return set;
}

// Appends the formatted `line`, unless that would make `out` longer than `max_size`: then `out`
// is left as it was and the result is false. `is_known_label` answers whether a label in
// capitals is among the current names; `scratch` holds that label.
template <typename KnownLabel>
bool append_formatted_line(std::string& out, std::string_view line, FormatState& state,
                           int tab_size, std::size_t max_size, std::string& scratch,
                           const KnownLabel& is_known_label, Syntax syntax,
                           std::size_t* indent_used = nullptr) {
    line = trim_spaces(line);
    std::string_view number = line.substr(0, line_number_length(first_word(line)));
    if (!number.empty()) line = trim_spaces(line.substr(number.size()));

    std::string_view word = first_word(line);
    bool at_margin =
        equals_upper(word, "SUB") || equals_upper(word, "FUNCTION") ||
        (syntax == Syntax::maximite ? is_end_of_routine(line) : equals_upper(word, "END"));
    if (!at_margin && word.size() > 1 && word.back() == ':') {
        scratch.assign(word.substr(0, word.size() - 1));
        std::transform(scratch.begin(), scratch.end(), scratch.begin(), upper_ascii);
        at_margin = is_known_label(std::string_view(scratch));
    }

    FormatState next = state;
    std::int64_t indent = 0;
    if (!at_margin) {
        next.pending = 0;
        int level = 0;
        if (syntax == Syntax::maximite) {
            level = apply_board_code(code_part(line), next);
        } else {
            apply_code(code_part(line), next);
            level = next.level;
        }
        indent = std::int64_t{std::max(level, 0)} * std::int64_t{std::max(tab_size, 0)};
    }
    // The number field and the statement stay apart by at least one space: joined ("10END") they
    // would make one word that is no longer a line number.
    if (!number.empty() && indent == 0 && !line.empty()) indent = 1;
    const std::size_t field = number.empty() ? 0 : std::max<std::size_t>(number.size(), 5);
    if (static_cast<std::uint64_t>(indent) > max_size ||
        out.size() + field + line.size() > max_size - static_cast<std::size_t>(indent))
        return false;

    out.append(field - number.size(), ' ');
    out.append(number);
    out.append(static_cast<std::size_t>(indent), ' ');
    out.append(line);
    if (!at_margin) next.level += next.pending;
    state = next;
    if (indent_used) *indent_used = static_cast<std::size_t>(indent);
    return true;
}

// Appends a line of a data block: its bytes as they are, after the block's indentation.
bool append_data_line(std::string& out, std::string_view line, std::size_t indent,
                      std::size_t max_size) {
    line = trim_spaces(line);
    if (indent > max_size || out.size() + line.size() > max_size - indent) return false;
    out.append(indent, ' ');
    out.append(line);
    return true;
}

} // namespace

std::vector<std::string_view> split_program_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    return lines;
}

std::string_view clean_program_line(std::string_view line) {
    return trim_spaces(line);
}

std::string remove_indents_text(std::string_view text, std::string_view line_end) {
    std::string out;
    out.reserve(text.size() + 1);
    for (std::string_view line : split_program_lines(text)) {
        out.append(clean_program_line(line));
        out.append(line_end);
    }
    return out;
}

std::string format_line(std::string_view line, FormatState& state, std::string_view current_names,
                        int tab_size, Syntax syntax) {
    std::string out;
    std::string scratch;
    const std::unordered_set<std::string_view> names = name_set(current_names);
    append_formatted_line(
        out, line, state, tab_size, std::string::npos, scratch,
        [&](std::string_view label) { return names.count(label) != 0; }, syntax);
    return out;
}

std::optional<std::string> format_text_within(std::string_view text, std::string_view current_names,
                                              int indent_labels, int tab_size, std::size_t max_size,
                                              std::string_view line_end, Syntax syntax) {
    std::vector<std::string_view> lines = split_program_lines(text);
    std::unordered_set<std::string_view> names = name_set(current_names);
    // The level grows by at most two a statement (SELECT CASE); starting at most half-way to the
    // largest int leaves room for any text the editor can hold.
    FormatState state{std::clamp(indent_labels, 0, std::numeric_limits<int>::max() / 2), 0};
    std::string out;
    out.reserve(std::min(text.size() + text.size() / 2 + lines.size() * 8, max_size));
    std::string label_scratch;
    auto is_known_label = [&](std::string_view label) { return names.count(label) != 0; };
    DataBlockTracker blocks;
    std::size_t block_indent = 0; // the indentation of the open data block's header
    for (std::string_view line : lines) {
        line = clean_program_line(line);
        // Room is kept for the line end after each line.
        if (max_size < line_end.size()) return std::nullopt;
        const std::size_t room = max_size - line_end.size();
        const bool appended =
            blocks.next(line) == BlockLine::data
                ? append_data_line(out, line, block_indent, room)
                : append_formatted_line(out, line, state, tab_size, room, label_scratch,
                                        is_known_label, syntax, &block_indent);
        if (!appended) return std::nullopt;
        out.append(line_end);
    }
    return out;
}

std::string format_text(std::string_view text, std::string_view current_names, int indent_labels,
                        int tab_size, std::string_view line_end, Syntax syntax) {
    return *format_text_within(text, current_names, indent_labels, tab_size, std::string::npos,
                               line_end, syntax);
}
