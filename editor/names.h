// The name rules for one program line: SUB and FUNCTION headers and labels.
#pragma once

#include <string_view>

// Whether `text` equals `lower` (given in lower case) when its ASCII letters are lowered.
bool equals_lower(std::string_view text, std::string_view lower);

// The line without its CR and LF characters at the end.
std::string_view without_line_end(std::string_view line);

// The first and second fields of the line, separated by blanks and TABs, with blanks and TABs
// around them removed (so an indented header or label counts too).
std::string_view first_field(std::string_view line);
std::string_view second_field(std::string_view line);

// The name a header field gives, as calls write it: the identifier before the first "(", type
// suffix kept ("Draw(x," gives "Draw", "f%(a)" gives "f%", "main()" gives "main").
std::string_view identifier_of(std::string_view field);

struct LineNames {
    bool header = false;    // the first field is SUB or FUNCTION, in any case
    std::string_view name;  // the header's name: the identifier of the second field
    std::string_view label; // the first field without its final ":", when it ends with one
};

// The names of one line (given without its line end).
LineNames line_names(std::string_view line);
