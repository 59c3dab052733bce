// The two ways of reading a program: as the boards read it, or by the editor's older rules.
#pragma once

#include <string_view>

enum class Syntax {
    alternate, // the older rules: ":" joins words, no REM comments, plain decimal numbers only
    maximite,  // statements after ":", REM comments, every number form, members after a dot
};

// Characters that end a word under each syntax.
constexpr std::string_view alternate_separators = "=+-*/%()[],.";
constexpr std::string_view maximite_separators = "=+-*/%()[],.:;<>^\\";

constexpr std::string_view separators_of(Syntax syntax) {
    return syntax == Syntax::maximite ? maximite_separators : alternate_separators;
}
