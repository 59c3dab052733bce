// Removing blank lines, and comments with them. Pure functions over 8-bit text; each line of
// the result is followed by `line_end`.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Every line without its blanks and TABs, except inside data blocks and where a continuation
// line would be lost. The other lines keep their bytes.
// When `line_map` is given, it gets for every line of `text` the line of the result it became,
// or for a removed line the line that now follows where it was.
std::string remove_blank_lines(std::string_view text, std::string_view line_end = "\n",
                               std::vector<std::size_t>* line_map = nullptr);

// Removes blank lines and every comment: an apostrophe outside strings or a REM statement, to
// the end of its line. A line that was only a comment goes; a code line keeps its code with the
// blanks before the comment removed. A numbered line that something jumps to stays whole, so
// the jump still lands. Data blocks keep every line.
std::string remove_comments_and_blank_lines(std::string_view text, std::string_view line_end = "\n",
                                            std::vector<std::size_t>* line_map = nullptr);
