// The colouring's word table.
#include "editor/word_table.h"

namespace {

std::string_view trim_spaces(std::string_view text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

// Calls f(field) for every blank-separated field. Empty fields (two blanks in a row) are skipped:
// an empty word can never match a token.
template <typename F> void for_each_field(std::string_view words, F&& f) {
    std::size_t start = 0;
    while (start <= words.size()) {
        std::size_t end = words.find(' ', start);
        if (end == std::string_view::npos) end = words.size();
        if (end > start) f(words.substr(start, end - start));
        start = end + 1;
    }
}

std::uint64_t length_bit(std::size_t length) {
    return std::uint64_t{1} << (length < 63 ? length : 63);
}

void mark_single_byte(WordTable& table, const std::string& key, const WordEntry* entry) {
    // Only ASCII bytes: any other byte of the editor's text is part of a multi-byte character.
    if (key.size() != 1 || static_cast<unsigned char>(key[0]) >= 0x80) return;
    unsigned char flags = entry ? (1 | (entry->options != word_plain ? 2 : 0)) : 0;
    auto k = static_cast<unsigned char>(key[0]);
    table.single_byte[k] = flags;
    if (table.match_case) return;
    // Both cases of a letter find the lower-case key.
    for (int b = 0; b < 0x80; ++b)
        if (b != k && static_cast<unsigned char>(lower_byte(static_cast<char>(b))) == k)
            table.single_byte[b] = flags;
}

} // namespace

std::string word_key(std::string_view word, bool match_case) {
    std::string key(word);
    if (!match_case)
        for (char& c : key) c = lower_byte(c);
    return key;
}

int register_words(WordTable& table, std::string_view words, int style, int options) {
    words = trim_spaces(words);
    int count = 0;
    for_each_field(words, [&](std::string_view field) {
        std::string key = word_key(field, table.match_case);
        auto [it, inserted] = table.entries.try_emplace(key);
        WordEntry& entry = it->second;
        entry.text = std::string(field);
        if (style != -1) entry.style = style;
        entry.options |= options;
        if (key.size() > table.longest_key) table.longest_key = key.size();
        table.key_lengths[static_cast<unsigned char>(key[0])] |= length_bit(key.size());
        mark_single_byte(table, key, &entry);
        ++count;
    });
    return count;
}

void unregister_words(WordTable& table, std::string_view words) {
    words = trim_spaces(words);
    for_each_field(words, [&](std::string_view field) {
        std::string key = word_key(field, table.match_case);
        if (table.entries.erase(key) > 0) mark_single_byte(table, key, nullptr);
    });
}

const WordEntry* find_key(const WordTable& table, std::string_view key) {
    if (key.empty() ||
        !(table.key_lengths[static_cast<unsigned char>(key[0])] & length_bit(key.size())))
        return nullptr;
    auto it = table.entries.find(key);
    return it == table.entries.end() ? nullptr : &it->second;
}

const WordEntry* find_word(const WordTable& table, std::string_view word) {
    word = trim_spaces(word);
    if (word.empty()) return nullptr;
    return find_key(table, word_key(word, table.match_case));
}

WordEntry* find_word(WordTable& table, std::string_view word) {
    return const_cast<WordEntry*>(find_word(static_cast<const WordTable&>(table), word));
}
