// The token rules: blanks, separators and delimiters, strings, comments, numbers and words.
#include "colour_test_record.h"

#include <gtest/gtest.h>

namespace {

TEST(TokenRules, BlanksAndTabsFormOneDefaultToken) {
    EditorRecord r = colour_test_record();
    Token t = style_token(r, " \t  x");
    EXPECT_EQ(t.length, 4u);
    EXPECT_EQ(t.style, style::default_text);
}

TEST(TokenRules, SeparatorsAndDelimiters) {
    EditorRecord r = colour_test_record();
    EXPECT_TRUE(is_separator(r, '='));
    EXPECT_TRUE(is_separator(r, '\r'));
    EXPECT_TRUE(is_separator(r, '\n'));
    EXPECT_TRUE(is_separator(r, '\''));
    EXPECT_TRUE(is_separator(r, '"'));
    EXPECT_FALSE(is_separator(r, ':'));
    EXPECT_FALSE(is_separator(r, '?')); // a one-character keyword is no separator
    EXPECT_FALSE(is_separator(r, 0xC3));
    // Each separator is a token of its own.
    EXPECT_EQ(token_marks(r, "a=(b)"), "{32}a=(b)");
    EXPECT_EQ(style_token(r, "==").length, 1u);
    // So "?" runs on into the next word, and "?x" is no keyword.
    EXPECT_EQ(token_marks(r, "? x"), "{1}?{32} x");
    EXPECT_EQ(token_marks(r, "?x"), "{32}?x");
}

TEST(TokenRules, StringsRunToTheNextQuoteOrTheLineEnd) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(token_marks(r, "PRINT \"it's\" 'c\r\n"),
              "{1}PRINT{32} {3}\"it's\"{32} {2}'c{32}\r\n");
    // Unterminated: the string stops before the line end.
    EXPECT_EQ(token_marks(r, "\"abc\r\n"), "{3}\"abc{32}\r\n");
    EXPECT_EQ(token_marks(r, "\"abc"), "{3}\"abc");
    EXPECT_EQ(token_marks(r, "\""), "{3}\"");
    // A line of quotes pairs them up.
    EXPECT_EQ(token_marks(r, "\"\"\"\"\""), "{3}\"\"\"\"\"");
    EXPECT_EQ(style_token(r, "\"\"\"\"\"").length, 2u);
    // CR alone ends the string too.
    EXPECT_EQ(token_marks(r, "\"ab\rx"), "{3}\"ab{32}\rx");
}

TEST(TokenRules, CommentsRunToTheLineEndWithoutIt) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(token_marks(r, "x = 5 ' five\r\n"), "{32}x = {4}5{32} {2}' five{32}\r\n");
    EXPECT_EQ(token_marks(r, "'\n"), "{2}'{32}\n");
    EXPECT_EQ(token_marks(r, "'"), "{2}'");
    EXPECT_EQ(token_marks(r, "'a \"b\" c"), "{2}'a \"b\" c");
}

TEST(TokenRules, Numbers) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(token_marks(r, "12 .5 5. 3.25"), "{4}12{32} {4}.5{32} {4}5.{32} {4}3.25");
    EXPECT_EQ(token_marks(r, "1.2.3"), "{32}1.{4}2.3");
    EXPECT_EQ(token_marks(r, "x=1+2"), "{32}x={4}1{32}+{4}2");
    EXPECT_EQ(token_marks(r, "5'c"), "{4}5{2}'c");
    // Only digits and one point: hexadecimal, exponents and trailing letters are words.
    EXPECT_EQ(token_marks(r, "&HFF 1E5 12abc"), "{32}&HFF 1E5 12abc");
    EXPECT_EQ(token_marks(r, "12:"), "{32}12:");
    EXPECT_EQ(token_marks(r, "."), "{32}.");
    NumberScan n = scan_number(r, "12.5)");
    EXPECT_EQ(n.length, 4u);
    EXPECT_EQ(n.digits, 3u);
    EXPECT_EQ(scan_number(r, "1.2.3").length, 0u);
    // The number style is the record's.
    r.number_style = 9;
    EXPECT_EQ(style_token(r, "7").style, 9);
}

TEST(TokenRules, WordsMatchTheTableIgnoringCase) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(token_marks(r, "print Print PRINT printer"),
              "{1}print{32} {1}Print{32} {1}PRINT{32} printer");
    EXPECT_EQ(token_marks(r, "IF x THEN"), "{1}IF{32} x {1}THEN");
    EXPECT_EQ(token_marks(r, "a$=b%"), "{32}a$=b%");
    // Latin-1 words arrive as UTF-8 and match their 8-bit entries, in either case.
    register_words(r.words, "caf\xE9", style::name, word_plain);
    EXPECT_EQ(style_token(r, "CAF\xC3\x89").style, style::name);
    EXPECT_EQ(style_token(r, "caf\xC3\xA9").length, 5u);
    // A character 8-bit text cannot hold matches nothing, not even the "?" that stands for it.
    EXPECT_EQ(style_token(r, "?").style, style::keyword);
    EXPECT_EQ(style_token(r, "\xE2\x82\xAC").style, style::default_text);
    EXPECT_EQ(style_token(r, "\xC3").style, style::default_text);
    EXPECT_EQ(style_token(r, "\xFF").style, style::default_text);
}

TEST(TokenRules, ColouringOffGivesTheDefaultStyleEverywhere) {
    EditorRecord r = colour_test_record();
    r.behaviour_flags &= ~behaviour_colouring;
    EXPECT_EQ(token_marks(r, "PRINT \"a\" 5 'c"), "{32}PRINT \"a\" 5 'c");
}

TEST(TokenRules, EveryTokenAdvancesAndStaysInsideItsBytes) {
    EditorRecord r = colour_test_record();
    const std::string cases[] = {
        std::string("\0\0x\0", 4),
        "\xFF\xFE\x80\xC3",
        "\xC3",
        "\xE2\x82",
        "\r",
        "\r\r\r",
        "\"\r",
        "'\r\n",
        ".",
        "..",
        ".5.",
        "\"\"\"",
        std::string(3, '\0') + "\"",
    };
    for (const std::string& bytes : cases) {
        std::string_view rest = bytes;
        while (!rest.empty()) {
            Token t = style_token(r, rest);
            ASSERT_GE(t.length, 1u) << "in " << bytes;
            ASSERT_LE(t.length, rest.size()) << "in " << bytes;
            rest.remove_prefix(t.length);
        }
    }
    EXPECT_EQ(style_token(r, "").length, 0u);
}

TEST(TokenRules, DecodingUtf8ToEightBitText) {
    EXPECT_EQ(decode_utf8_bytes("a\xC3\xA9\xC2\xA0"), "a\xE9\xA0");
    EXPECT_EQ(decode_utf8_bytes("\xE2\x82\xAC"), "?"); // above U+00FF
    EXPECT_EQ(decode_utf8_bytes("\x80x"), "?x");       // stray continuation byte
    EXPECT_EQ(decode_utf8_bytes("\xC3x"), "?x");       // cut short
    EXPECT_EQ(decode_utf8_bytes("\xC0\x80"), "?");     // overlong
    EXPECT_EQ(decode_utf8_bytes(std::string_view("\0", 1)), std::string(1, '\0'));
    bool substituted = true;
    decode_utf8_bytes("?\xC3\xA9", &substituted);
    EXPECT_FALSE(substituted);
    decode_utf8_bytes("x\xC3", &substituted);
    EXPECT_TRUE(substituted);
}

} // namespace
