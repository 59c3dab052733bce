// The token rules of the colouring: blanks, separators and delimiters, numbers and words.
#pragma once

#include "base/text_conversion.h"
#include "editor/editor_record.h"

#include <cstddef>
#include <string>
#include <string_view>

// True for bytes that end a word: CR, LF, the separators, and delimiter characters (the
// apostrophe and the double quote). A one-character keyword is not a separator.
inline bool is_separator(const EditorRecord& record, unsigned char byte) {
    return record.separator_bytes[byte] || (record.words.single_byte[byte] & 2) != 0;
}

struct NumberScan {
    std::size_t length = 0; // 0: no number here
    std::size_t digits = 0;
};

// A number stands only when followed by a blank, a TAB, a separator or the end of the bytes.
// Alternate syntax: digits with at most one point; &HFF, 1E5 and 12abc are not numbers.
// Maximite syntax: also exponents (1.5E-3) and &H, &O, &B digits; 12abc is still no number.
NumberScan scan_number(const EditorRecord& record, std::string_view bytes);

struct Token {
    std::size_t length = 0; // at least 1 for non-empty bytes, never beyond them
    int style = style::default_text;
};

// The token at the start of `bytes` (the rest of a line) and its style.
Token style_token(const EditorRecord& record, std::string_view bytes);

// Styles all of `bytes` token by token, appending one style per byte.
void style_tokens(const EditorRecord& record, std::string_view bytes, std::string& styles);

// The 8-bit word table entry for a word of the editor's UTF-8 text, or null. A word holding a
// character that 8-bit text cannot hold matches nothing (not the "?" that stands for it).
const WordEntry* find_utf8_word(const WordTable& table, std::string_view utf8_word);
