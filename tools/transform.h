// The whole-program transformations: removing indentation, and Format (re-indenting by block
// structure with aligned line numbers). Pure functions over 8-bit text.
#pragma once

#include "editor/syntax.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a text as the editor shows them: the pieces between line ends (CR LF, LF or a
// lone CR), without the line end. The empty piece after a final line end is not a line; an
// empty text has no lines.
std::vector<std::string_view> split_program_lines(std::string_view text);

// A line with leading and trailing spaces trimmed (tabs are ordinary text).
std::string_view clean_program_line(std::string_view line);

// Every line cleaned and followed by `line_end`.
std::string remove_indents_text(std::string_view text, std::string_view line_end = "\n");

// Formatter state for one Format run: the indentation level (never below 0) and the increase
// (0 to 2: SELECT CASE opens two levels, one for CASE and one for its body) that applies after
// the statement being handled.
struct FormatState {
    int level = 0;
    int pending = 0;
};

// Re-indents one line (without its line break) and updates `state`. `current_names` is the
// document's names, each followed by one blank; a label stands at the left margin only when it
// is among them in capitals. `tab_size` spaces make one level.
//
// A first word made only of digits, with a value above 0, is the line number: it is laid out
// right-aligned in a field of five characters, or unpadded when it has more than five digits,
// so that no digit is ever dropped. Any other word is never cut or changed: "10PRINT" and hex
// data such as "3030180C" stay whole.
//
// By the Maximite syntax, END IF, END SELECT and END TYPE close their blocks (only END SUB and
// END FUNCTION stand at the margin), SELECT CASE and TYPE open blocks, an IF opens one only when
// nothing but a comment follows THEN, colons inside strings split nothing, and a line stands at
// the outermost level of its statements.
std::string format_line(std::string_view line, FormatState& state, std::string_view current_names,
                        int tab_size, Syntax syntax = Syntax::alternate);

// Formats every line of `text`, starting at level `indent_labels`, each followed by `line_end`.
// The lines inside CSUB, CFUNCTION and DEFINEFONT blocks are data: they keep their bytes, get
// the indentation of their block's header and never a number field.
std::string format_text(std::string_view text, std::string_view current_names, int indent_labels,
                        int tab_size, std::string_view line_end = "\n",
                        Syntax syntax = Syntax::alternate);

// The same, but gives up (no result) as soon as the formatted text would be longer than
// `max_size` bytes: deep nesting times a large tab size can ask for more memory than there is.
std::optional<std::string> format_text_within(std::string_view text, std::string_view current_names,
                                              int indent_labels, int tab_size, std::size_t max_size,
                                              std::string_view line_end = "\n",
                                              Syntax syntax = Syntax::alternate);
