// The tokens of a program line's code part (the comment cut off): words, numbers, strings and
// single symbols, each with its place in the file, as the analysis reads statements.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

enum class CodeTokenKind {
    word,   // a name or keyword, dotted parts and type suffix included ("MM.INFO$", "p.x")
    number, // digits, "&H1F", ".5"
    string, // with its quotes (the closing one may be missing)
    member, // ".name" after ")": a structure member, never a name of its own
    symbol, // one byte of anything else
};

struct CodeToken {
    CodeTokenKind kind = CodeTokenKind::symbol;
    std::size_t offset = 0; // in the file's text
    std::size_t length = 0;
    std::size_t line = 0;
    bool blank_before = false;
};

struct CodeLine {
    std::size_t code_end = 0;  // where the comment begins in the line (its length when none)
    bool open_string = false;  // a string runs to the end of the code
    std::size_t string_at = 0; // where that string starts in the line
};

// Appends the tokens of `line` from `from` (an offset in the line, at a statement start) up to
// its comment. `line_offset` and `line_index` place the line in its file.
CodeLine tokenize_code_line(std::string_view line, std::size_t from, std::size_t line_offset,
                            std::size_t line_index, std::vector<CodeToken>& out);
