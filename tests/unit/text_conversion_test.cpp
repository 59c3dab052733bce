// 8-bit text to UTF-8 and back: every byte, characters beyond U+00FF, malformed input.
#include "base/text_conversion.h"

#include <algorithm>
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

TEST(TextConversion, UnencodableCharactersAreCountedExactlyAsSavingWouldReplaceThem) {
    struct Case {
        std::string utf8;
        std::size_t count;
        long first;
    };
    for (const Case& c : {Case{"", 0, -1}, Case{"caf\xC3\xA9 ?", 0, -1}, // U+00E9 and a real "?"
                          Case{"A\xE2\x86\x92"
                               "B",
                               1, 1}, // U+2192
                          Case{"x\xE2\x80\x9Cq\xE2\x80\x9D\xF0\x9F\x98\x80", 3, 1},
                          Case{"ab\x80\xC3", 2, 2}, // a stray and a cut-short sequence
                          Case{"\0\xC4\x80"s, 1, 1}}) {
        SCOPED_TRACE(c.utf8);
        UnencodableCharacters found = find_unencodable(c.utf8);
        EXPECT_EQ(found.count, c.count);
        EXPECT_EQ(found.first, c.first);
        // Saving writes exactly that many more "?" than the text held.
        auto marks = [](const std::string& s) { return std::count(s.begin(), s.end(), '?'); };
        EXPECT_EQ(std::size_t(marks(utf8_to_bytes(c.utf8)) - marks(c.utf8)), c.count);
    }
}

TEST(TextConversion, OnlyWellFormedUtf8WithAMultiByteSequenceCountsAsAUtf8File) {
    struct Case {
        std::string bytes;
        bool utf8;
    };
    for (const Case& c : {Case{"", false}, Case{"PRINT 1\r\n", false}, // plain ASCII: 8-bit
                          Case{"A\xE2\x86\x92"
                               "B",
                               true},
                          Case{"caf\xC3\xA9", true}, Case{"\xF0\x9F\x98\x80", true},
                          Case{"caf\xE9", false},                               // Latin-1
                          Case{"\xC3", false}, Case{"\xE2\x82", false},         // cut short
                          Case{"\xC0\xAF", false}, Case{"\xE0\x80\xAF", false}, // overlong
                          Case{"\xED\xA0\x80", false},                          // surrogate
                          Case{"\xF4\x90\x80\x80", false}, Case{"\xA9", false}, // > U+10FFFF
                          Case{std::string(20, 'x') + "\xC3\xA9" + std::string(20, 'y'), true}}) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(is_multibyte_utf8(c.bytes), c.utf8);
    }
}
