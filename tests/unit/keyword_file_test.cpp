// Tests of the keyword text made from the keyword file's bytes.
#include "app/keyword_file.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(KeywordFile, LinesJoinWithoutSeparator) {
    EXPECT_EQ(keyword_text_from_bytes("PRINT \r\nINPUT"), "PRINT INPUT");
    EXPECT_EQ(keyword_text_from_bytes("PRINT \nINPUT\n"), "PRINT INPUT");
    EXPECT_EQ(keyword_text_from_bytes("PRINT\r\nINPUT"), "PRINTINPUT");
    EXPECT_EQ(keyword_text_from_bytes("A \rB \n\r\nC"), "A B C");
    EXPECT_EQ(keyword_text_from_bytes("A \0B\0\0 C"s), "A B C");
    EXPECT_EQ(keyword_text_from_bytes("\xEF\xBB\xBFPRINT"), "PRINT");
    EXPECT_EQ(keyword_text_from_bytes("A  B"), "A  B"); // two blanks stay: an empty word
}

TEST(KeywordFile, EmptyAndHuge) {
    EXPECT_EQ(keyword_text_from_bytes(""), "");
    EXPECT_EQ(keyword_text_from_bytes("\r\n\n\0"s), "");
    std::string line;
    for (int i = 0; i < 400000; ++i) line += "WORD ";
    EXPECT_EQ(keyword_text_from_bytes(line + "\r\n"), line);
}
