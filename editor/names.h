// The name rules for one program line: SUB and FUNCTION headers and labels.
#pragma once

#include <string_view>

// Whether `text` equals `lower` (given in lower case) when its ASCII letters are lowered.
bool equals_lower(std::string_view text, std::string_view lower);

// The line without its CR and LF characters at the end.
std::string_view without_line_end(std::string_view line);

// The first and second blank-separated fields of the line with blanks and TABs around it
// removed (so an indented header or label counts too).
std::string_view first_field(std::string_view line);
std::string_view second_field(std::string_view line);

struct LineNames {
    bool header = false;    // the first field is SUB or FUNCTION, in any case
    std::string_view name;  // the header's name: the second field without a last "("
    std::string_view label; // the first field without its final ":", when it ends with one
};

// The names of one line (given without its line end).
LineNames line_names(std::string_view line);
