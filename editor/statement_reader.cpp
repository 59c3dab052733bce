// Reading a line statement by statement while it is coloured.
#include "editor/statement_reader.h"

#include "editor/names.h"

namespace {

bool is_word_start(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool ends_word(std::string_view rest, std::size_t at) {
    return at >= rest.size() || rest[at] == ' ' || rest[at] == '\t' || rest[at] == '\r' ||
           rest[at] == '\n';
}

} // namespace

std::size_t comment_length(std::string_view rest) {
    std::size_t length = rest.size();
    while (length > 0 && (rest[length - 1] == '\n' || rest[length - 1] == '\r')) --length;
    return length;
}

TokenRole StatementReader::next(std::string_view rest, const Token& token, std::string_view label) {
    const auto first = static_cast<unsigned char>(rest[0]);
    if (first == ' ' || first == '\t') {
        after_name_ = member_dot_ = false;
        return TokenRole::plain;
    }
    const bool was_first = first_token_;
    const bool at_statement_start = statement_start_;
    const bool after_name = after_name_;
    const bool member_dot = member_dot_;
    first_token_ = false;
    statement_start_ = false;
    after_name_ = member_dot_ = false;
    const std::string_view text = rest.substr(0, token.length);

    if (first == ':') {
        statement_start_ = true;
        return TokenRole::plain;
    }
    if (first == ')') {
        after_name_ = true;
        return TokenRole::plain;
    }
    if (first == '.' && token.length == 1) {
        member_dot_ = after_name;
        return TokenRole::plain;
    }
    if (first >= '0' && first <= '9') {
        // A line number leaves the statement's start where it is.
        statement_start_ = was_first;
        return TokenRole::plain;
    }
    if (!is_word_start(first)) return TokenRole::plain;

    after_name_ = true;
    if (member_dot) return TokenRole::member;
    if (was_first && !label.empty() && text == label && token.length < rest.size() &&
        rest[token.length] == ':') {
        statement_start_ = true;
        return TokenRole::label;
    }
    if (at_statement_start && equals_lower(text, "rem") && ends_word(rest, token.length))
        return TokenRole::comment;
    statement_start_ = equals_lower(text, "then") || equals_lower(text, "else");
    return TokenRole::plain;
}
