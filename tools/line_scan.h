// Reading the parts of one BASIC program line that the program tools work on: the leading line
// number, comments, continuations and the line numbers that statements jump to. Strings are
// never looked into; data block lines are the caller's to skip.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Bytes that belong to a word: letters, digits, "_" and "."; "$", "%" and "!" end one as its
// type suffix.
bool is_word_byte(char c);
bool is_type_suffix(char c);

// The leading line number of `line`: its first blank-separated word when that is made only of
// digits with a value above 0 ("10", "0100"); empty otherwise ("-10", "10PRINT", "0").
std::string_view leading_line_number(std::string_view line);

// The digits of a line number without leading zeros: the key under which "0100" and "100" are
// one line. Never computes a value, so any length is safe.
std::string_view line_number_key(std::string_view digits);

// The start of the statements of `line`: after leading blanks, the line number and the blanks
// that follow it.
std::size_t statement_start(std::string_view line);

// Where the comment of `line` begins (an apostrophe outside strings, or REM as a statement of
// its own), scanning from `from`, which must be the start of a statement; npos when there is
// none. When `rem_at`, it is told whether the comment is a REM statement.
std::size_t comment_start(std::string_view line, std::size_t from, bool* is_rem = nullptr);

// True when the code of `line` (before any comment) ends with a blank and "_": the next line
// continues its statement.
bool continues_on_next_line(std::string_view line, std::size_t from);

// A line number that a statement jumps to or names: GOTO and GOSUB lists (ON ... GOTO too),
// THEN n, ELSE n, RESTORE n, RUN n and LIST n.
struct LineReference {
    std::size_t offset = 0; // of the digits within the line
    std::size_t length = 0;
    bool after_then_else = false; // "THEN 100": a label cannot stand there without GOTO
};

// Appends the references of `line` from `from`; `at_statement` tells whether `from` is the
// start of a statement (false for a continuation line).
void find_line_references(std::string_view line, std::size_t from, bool at_statement,
                          std::vector<LineReference>& out);

// Calls `visit` with every word outside strings and comments of `line` from `from`, type
// suffix included (not words starting with a digit).
template <typename Visit>
void for_each_word(std::string_view line, std::size_t from, const Visit& visit) {
    const std::size_t end = comment_start(line, from);
    const std::string_view code = line.substr(0, end == std::string_view::npos ? line.size() : end);
    bool in_string = false;
    std::size_t i = from;
    while (i < code.size()) {
        const char c = code[i];
        if (c == '"') {
            in_string = !in_string;
            ++i;
        } else if (in_string || !is_word_byte(c)) {
            ++i;
        } else {
            std::size_t j = i;
            while (j < code.size() && is_word_byte(code[j])) ++j;
            if (j < code.size() && is_type_suffix(code[j])) ++j;
            if (!(c >= '0' && c <= '9') && c != '.') visit(code.substr(i, j - i));
            i = j;
        }
    }
}

// One line of a program as the program tools see it.
struct ScannedLine {
    std::string_view text;     // without its line end
    std::string_view number;   // the leading line number; empty for none and for the lines below
    std::size_t start = 0;     // where its statements begin
    bool data = false;         // part of a CSUB, CFUNCTION or DEFINEFONT block, header to END
    bool continuation = false; // continues the statement of the line before
    std::size_t first_reference = 0; // its references in ScannedProgram::references
    std::size_t reference_count = 0;
};

struct ScannedProgram {
    std::vector<ScannedLine> lines;
    std::vector<LineReference> references;
};

// Splits `text` into lines (as split_program_lines does) and reads each one.
ScannedProgram scan_program(std::string_view text);
