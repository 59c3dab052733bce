// Small byte tests and ASCII case helpers shared by the program's text rules. Only ASCII letters
// change case; every other byte (8-bit characters included) is left as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A blank between words on one line: space or TAB.
constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

constexpr bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

constexpr char upper_ascii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char lower_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` without the blanks and TABs at either end.
constexpr std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// `text` with its ASCII letters raised.
inline std::string upper_text(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upper_ascii(c);
    return out;
}

// `text` with its ASCII letters lowered.
inline std::string lower_text(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_ascii(c);
    return out;
}

// Whether `text` begins with `prefix`, ignoring ASCII letter case.
constexpr bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower_ascii(text[i]) != lower_ascii(prefix[i])) return false;
    return true;
}

constexpr bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && starts_with_ignoring_case(a, b);
}

// Whether `text` equals `upper_word` (given in upper case) once its ASCII letters are raised.
constexpr bool equals_upper(std::string_view text, std::string_view upper_word) {
    if (text.size() != upper_word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (upper_ascii(text[i]) != upper_word[i]) return false;
    return true;
}

// Whether `text` begins with `upper_word` (given in upper case), ignoring ASCII letter case.
constexpr bool starts_with_upper(std::string_view text, std::string_view upper_word) {
    return text.size() >= upper_word.size() &&
           equals_upper(text.substr(0, upper_word.size()), upper_word);
}
