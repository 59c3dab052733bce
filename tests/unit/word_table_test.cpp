// The word table: registering, finding and removing words and delimiters.
#include "editor/tokens.h"
#include "editor/word_table.h"

#include <gtest/gtest.h>

namespace {

TEST(WordTable, RegisteringTrimsSplitsAndKeepsOneEntryPerWord) {
    WordTable t;
    EXPECT_EQ(register_words(t, "  PRINT  Input ", 1, 0), 2); // the empty field is skipped
    EXPECT_EQ(register_words(t, "", 1, 0), 0);
    EXPECT_EQ(register_words(t, "   ", 1, 0), 0);
    ASSERT_NE(find_word(t, "print"), nullptr);
    EXPECT_EQ(find_word(t, " INPUT ")->text, "Input");
    // Registering again: last style wins, options are added, the text is the last one.
    EXPECT_EQ(register_words(t, "print", 7, 2), 1);
    EXPECT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(find_word(t, "PRINT")->style, 7);
    EXPECT_EQ(find_word(t, "PRINT")->options, 2);
    EXPECT_EQ(find_word(t, "PRINT")->text, "print");
    register_words(t, "print", -1, 1);
    EXPECT_EQ(find_word(t, "PRINT")->style, 7);
    EXPECT_EQ(find_word(t, "PRINT")->options, 3);
    EXPECT_EQ(find_word(t, ""), nullptr);
    EXPECT_EQ(find_word(t, "prin"), nullptr);
}

TEST(WordTable, RemovingWords) {
    WordTable t;
    register_words(t, "Start Start: Draw", 7, 0);
    unregister_words(t, "start: missing DRAW");
    EXPECT_NE(find_word(t, "Start"), nullptr);
    EXPECT_EQ(find_word(t, "Start:"), nullptr);
    EXPECT_EQ(find_word(t, "draw"), nullptr);
}

TEST(WordTable, CaseMattersOnlyWhenAsked) {
    WordTable t;
    t.match_case = true;
    register_words(t, "Print", 1, 0);
    EXPECT_NE(find_word(t, "Print"), nullptr);
    EXPECT_EQ(find_word(t, "print"), nullptr);
    WordTable latin;
    register_words(latin, "\xC9T\xC9", 1, 0); // ÉTÉ
    EXPECT_NE(find_word(latin, "\xE9t\xE9"), nullptr);
    EXPECT_NE(find_utf8_word(latin, "\xC3\xA9t\xC3\xA9"), nullptr);
}

TEST(WordTable, OneCharacterDelimitersBecomeSeparators) {
    EditorRecord r;
    EXPECT_FALSE(is_separator(r, '#'));
    register_words(r.words, "#", 2, 2);
    EXPECT_TRUE(is_separator(r, '#'));
    register_words(r.words, "k", 1, 2);
    EXPECT_TRUE(is_separator(r, 'k'));
    EXPECT_TRUE(is_separator(r, 'K')); // found through its lower-case key
    unregister_words(r.words, "# k");
    EXPECT_FALSE(is_separator(r, '#'));
    EXPECT_FALSE(is_separator(r, 'K'));
    register_words(r.words, "?", 1, 0);
    EXPECT_FALSE(is_separator(r, '?'));
    set_separators(r, ":\xE9");
    EXPECT_TRUE(is_separator(r, ':'));
    EXPECT_FALSE(is_separator(r, 0xE9)); // part of a multi-byte character in the editor
    EXPECT_TRUE(is_separator(r, '\r'));
}

} // namespace
