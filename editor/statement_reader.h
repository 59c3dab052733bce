// Reading a line statement by statement while it is coloured: where a statement starts (for REM
// comments), where a line's label ends, and which words are members after a dot.
#pragma once

#include "editor/tokens.h"

#include <cstddef>
#include <string_view>

enum class TokenRole {
    plain,
    comment, // REM as the first word of a statement: the rest of the line is a comment
    label,   // the line's label, directly followed by its colon
    member,  // a word directly after a "." that follows a name or ")": never a keyword
};

// The length of a comment that runs from the start of `rest` to the line end (not included).
std::size_t comment_length(std::string_view rest);

// Follows the tokens of one line in order. A statement starts at the line's start (after an
// optional line number or label), after ":" and after THEN or ELSE.
class StatementReader {
  public:
    // The role of `token`, the token at the start of `rest`; `label` is the line's label (empty
    // when it has none).
    TokenRole next(std::string_view rest, const Token& token, std::string_view label);

  private:
    bool first_token_ = true;
    bool statement_start_ = true;
    bool after_name_ = false; // the previous token was a word or ")", no blank between
    bool member_dot_ = false; // the previous token was a "." directly after a name or ")"
};
