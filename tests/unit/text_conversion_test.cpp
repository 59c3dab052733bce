// 8-bit text to UTF-8 and back: every byte, characters beyond U+00FF, malformed input.
#include "tools/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(TextConversion, EveryByteRoundTripsIncludingZero) {
    std::string bytes;
    for (int c = 0; c < 256; ++c) bytes.push_back(static_cast<char>(c));
    std::string utf8 = bytes_to_utf8(bytes);
    EXPECT_EQ(utf8.size(), 128u + 2 * 128u);
    EXPECT_EQ(utf8_to_bytes(utf8), bytes);
}

TEST(TextConversion, BytesBecomeTheCharacterWithTheSameCode) {
    EXPECT_EQ(bytes_to_utf8(""), "");
    EXPECT_EQ(bytes_to_utf8("A\0B"s), "A\0B"s); // a zero byte does not cut the text
    EXPECT_EQ(bytes_to_utf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(bytes_to_utf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
}

TEST(TextConversion, CharactersFromU0100UpBecomeOneQuestionMark) {
    EXPECT_EQ(utf8_to_bytes("caf\xC3\xA9"), "caf\xE9");    // U+00E9
    EXPECT_EQ(utf8_to_bytes("\xE2\x82\xAC 5"), "? 5");     // U+20AC, three bytes
    EXPECT_EQ(utf8_to_bytes("\xC4\x80"), "?");             // U+0100, two bytes
    EXPECT_EQ(utf8_to_bytes("a\xF0\x9F\x98\x80z"), "a?z"); // four bytes
    EXPECT_EQ(utf8_to_bytes("x\0y"s), "x\0y"s);            // zero bytes kept
    EXPECT_EQ(utf8_to_bytes("\xC0\x80\xC1\xBF"), "??");    // overlong forms
}

TEST(TextConversion, MalformedInputLosesNothingValidAfterIt) {
    EXPECT_EQ(utf8_to_bytes("\x80"), "?");             // stray continuation byte
    EXPECT_EQ(utf8_to_bytes("a\x80\x80z"), "a??z");    // each stray byte is one "?"
    EXPECT_EQ(utf8_to_bytes("\xFF\xF8z"), "??z");      // impossible lead bytes
    EXPECT_EQ(utf8_to_bytes("\xC3"), "?");             // truncated at the end
    EXPECT_EQ(utf8_to_bytes("\xE2\x82"), "?");         // truncated three-byte sequence
    EXPECT_EQ(utf8_to_bytes("\xC3Z"), "?Z");           // cut by an ASCII byte
    EXPECT_EQ(utf8_to_bytes("\xE2\xC3\xA9"), "?\xE9"); // cut by the next sequence's lead
    EXPECT_EQ(utf8_to_bytes("\xF0\x9F\n"), "?\n");     // cut by a line feed
}
