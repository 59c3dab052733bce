// Call tips: the text shown for a keyword, which argument the caret is in, and where that
// argument stands in the tip.
#pragma once

#include "help/keyword_help.h"

#include <cstddef>
#include <string>
#include <string_view>

// The tip for an entry: its syntax lines, then its description.
std::string call_tip_text(const HelpEntry& entry);

// Whether the entry's first syntax line starts with the entry's own word (or an alias) and has
// something after it: only then is the word one that takes arguments, worth a tip while typing.
// A word that only appears inside another command's syntax ("TO" in a FOR line) is not.
bool takes_arguments(const HelpEntry& entry);

// The argument the caret is in, given the text typed from just after the keyword up to the
// caret: 0 for the first. Commas inside strings and parentheses do not count; when the text
// opens with "(" the arguments are those inside it. -1 when the caret has left the statement:
// the opening parenthesis closed, a comment or a ":" begun outside a string.
int argument_index(std::string_view after_keyword);

struct TipRange {
    std::size_t start = 0, end = 0; // byte offsets into the tip; empty when start == end
};

// Where argument `argument` stands in the first line of `tip` (a syntax line: a word, then its
// arguments): the text between the commas that separate the arguments, without the blanks and
// option brackets around it. Empty when the syntax has no such argument.
TipRange argument_range(std::string_view tip, int argument);

// The word characters of the language: letters, digits and "_ . $ % ! # &".
bool is_keyword_byte(char c);
