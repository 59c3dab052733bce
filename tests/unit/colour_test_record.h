// An editor record set up for colouring as the program configures it, without a control.
#pragma once

#include "editor/editor_record.h"
#include "editor/tokens.h"

#include <string>
#include <string_view>

inline EditorRecord colour_test_record(std::string_view keywords = "PRINT IF THEN END SUB "
                                                                   "FUNCTION EXIT FOR NEXT ?") {
    EditorRecord record;
    register_words(record.words, "'", style::comment, word_to_line_end);
    register_words(record.words, "\"", style::string, word_paired);
    find_word(record.words, "\"")->closing = '"';
    register_words(record.words, keywords, style::keyword, word_plain);
    set_separators(record, "=+-*/%()[],.");
    record.number_style = style::number;
    return record;
}

// The bytes with "{style}" wherever the style changes.
inline std::string marked(std::string_view bytes, std::string_view styles) {
    std::string out;
    int current = -1;
    for (std::size_t i = 0; i < bytes.size() && i < styles.size(); ++i) {
        int s = static_cast<unsigned char>(styles[i]);
        if (s != current) out += "{" + std::to_string(s) + "}";
        current = s;
        out += bytes[i];
    }
    return out;
}

inline std::string token_marks(const EditorRecord& record, std::string_view bytes) {
    std::string styles;
    style_tokens(record, bytes, styles);
    return marked(bytes, styles);
}
