// The colouring's word table: keywords, delimiter characters and learnt names, each with a style.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// Option bits of a word entry.
constexpr int word_plain = 0;
constexpr int word_paired = 1;      // opens a span closed by the entry's closing character
constexpr int word_to_line_end = 2; // opens a span that runs to the end of the line

struct WordEntry {
    std::string text; // as registered (8-bit text)
    int style = 32;
    int options = word_plain;
    char closing = 0; // for word_paired
};

struct WordKeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
        return std::hash<std::string_view>{}(key);
    }
};

// Words are 8-bit text, one byte per character. Keys are lower-cased unless `match_case` is set.
struct WordTable {
    std::unordered_map<std::string, WordEntry, WordKeyHash, std::equal_to<>> entries;
    bool match_case = false;
    // Longest key ever registered: a longer token cannot match, so it is not looked up.
    std::size_t longest_key = 0;
    // Per byte: bit 0 = a one-character entry exists for it, bit 1 = that entry is a delimiter.
    std::array<unsigned char, 256> single_byte{};
    // Per first byte of a key: bit n set when a key of length n (63 and longer: bit 63) was ever
    // registered. Most words of a program are no key; this turns them away without hashing.
    std::array<std::uint64_t, 256> key_lengths{};
};

// Lower case of one 8-bit character: ASCII and Latin-1 letters.
inline char lower_byte(char c) {
    auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<char>(b + 0x20);
    return c;
}

std::string word_key(std::string_view word, bool match_case);

// Registers the blank-separated words with the style (-1 keeps an entry's style) and ORs the
// options into each entry. A word already present keeps its one entry. Returns the count.
int register_words(WordTable& table, std::string_view words, int style, int options);

// Removes the entries of the blank-separated words; missing words are skipped.
void unregister_words(WordTable& table, std::string_view words);

// The entry of one word (blanks around it ignored), or null.
const WordEntry* find_word(const WordTable& table, std::string_view word);
WordEntry* find_word(WordTable& table, std::string_view word);

// Lookup by a key already in key form (lower-cased unless the table matches case).
const WordEntry* find_key(const WordTable& table, std::string_view key);
