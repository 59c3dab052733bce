// Tests of the completion list and of the caret's context for it.
#include "help/completion.h"

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(Completion, NamesFirstInTheirCaseThenKeywords) {
    CompletionSources sources{"PRINT PRIVATE PI pin PRINT ", "printAll Prim main PRIVATE ", true};
    EXPECT_EQ(completion_items("pri", sources), (Items{"Prim", "printAll", "PRIVATE", "PRINT"}));
    EXPECT_EQ(completion_items("PI", sources), (Items{"PI", "PIN"}));
    sources.capitalise_keywords = false;
    EXPECT_EQ(completion_items("pi", sources), (Items{"pi", "pin"}));
    EXPECT_EQ(completion_items("Pi", sources), (Items{"PI", "PIN"}));
    EXPECT_EQ(completion_items("", sources), Items{});
    EXPECT_EQ(completion_items("zzz", sources), Items{});
    EXPECT_EQ(completion_items("mai", sources), Items{"main"});
}

TEST(Completion, ThousandsOfNamesAreFilteredAndOrdered) {
    std::string names;
    for (int i = 2999; i >= 0; --i) names += "Draw" + std::to_string(i) + " ";
    const Items items = completion_items("draw1", {"DRAW3D", names, true});
    ASSERT_EQ(items.size(), 1111u);
    EXPECT_EQ(items.front(), "Draw1");
    EXPECT_EQ(items[1], "Draw10");
}

TEST(Completion, StringsAndCommentsAreRecognised) {
    EXPECT_FALSE(in_string_or_comment("  PRINT abc"));
    EXPECT_TRUE(in_string_or_comment("PRINT \"abc"));
    EXPECT_FALSE(in_string_or_comment("PRINT \"abc\" + de"));
    EXPECT_TRUE(in_string_or_comment("x = 1 ' note"));
    EXPECT_FALSE(in_string_or_comment("PRINT \"it's\"; a"));
    EXPECT_TRUE(in_string_or_comment("REM all of this"));
    EXPECT_TRUE(in_string_or_comment("x = 1 : rem note"));
    EXPECT_FALSE(in_string_or_comment("rem"));
    EXPECT_FALSE(in_string_or_comment("remove = 1"));
    EXPECT_FALSE(in_string_or_comment("theremin = 1"));
    EXPECT_FALSE(in_string_or_comment(""));
}

TEST(Completion, WordBeforeCaret) {
    EXPECT_EQ(word_before_caret("  x = MM.VE"), "MM.VE");
    EXPECT_EQ(word_before_caret("a$ = LEFT$"), "LEFT$");
    EXPECT_EQ(word_before_caret("x = "), "");
    EXPECT_EQ(word_before_caret(""), "");
}
