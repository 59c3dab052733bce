// An editor record configured for colouring as the program configures its editor, with the
// keyword file shipped in resources/, for the targets that colour text.
#pragma once

#include "app/keyword_file.h"
#include "editor/editor_record.h"
#include "editor/word_table.h"

#include <fstream>
#include <iterator>
#include <string>

inline std::string shipped_keyword_text() {
    std::ifstream file(ZELL_FUZZ_RESOURCES "/Zellcmndlist.dat", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return keyword_text_from_bytes(bytes);
}

inline EditorRecord program_record(const std::string& keyword_text) {
    EditorRecord record;
    register_words(record.words, "'", style::comment, word_to_line_end);
    register_words(record.words, "\"", style::string, word_paired);
    find_word(record.words, "\"")->closing = '"';
    register_words(record.words, keyword_text, style::keyword, word_plain);
    for (std::size_t start = 0; start < keyword_text.size();) {
        std::size_t end = std::min(keyword_text.find(' ', start), keyword_text.size());
        if (end > start)
            record.keyword_keys.insert(word_key(keyword_text.substr(start, end - start), false));
        start = end + 1;
    }
    set_separators(record, "=+-*/%()[],.");
    record.number_style = style::number;
    return record;
}
