// Line ends: the kind a file was read with, and converting a text to a kind.
#include "documents/line_ends.h"

#include <gtest/gtest.h>

TEST(LineEnds, TheFirstLineEndDecidesAndATextWithoutOneTakesTheFallback) {
    EXPECT_EQ(detect_line_end("a\r\nb\nc", LineEnd::lf), LineEnd::crlf);
    EXPECT_EQ(detect_line_end("a\nb\r\n", LineEnd::crlf), LineEnd::lf);
    EXPECT_EQ(detect_line_end("a\rb", LineEnd::lf), LineEnd::cr);
    EXPECT_EQ(detect_line_end("a\r", LineEnd::lf), LineEnd::cr); // a CR at the very end
    EXPECT_EQ(detect_line_end("no line end", LineEnd::crlf), LineEnd::crlf);
    EXPECT_EQ(detect_line_end("", LineEnd::lf), LineEnd::lf);
    EXPECT_EQ(line_end_of_mode(0), LineEnd::crlf);
    EXPECT_EQ(line_end_of_mode(1), LineEnd::lf);
    EXPECT_EQ(line_end_of_mode(7), LineEnd::lf);
}

TEST(LineEnds, ConvertingMakesEveryKindOfLineEndOneKind) {
    const std::string mixed = std::string("a\r\nb\nc\rd\r\r\n\n", 12) + std::string("e\0f", 3);
    EXPECT_EQ(with_line_ends(mixed, LineEnd::lf), std::string("a\nb\nc\nd\n\n\ne\0f", 13));
    EXPECT_EQ(with_line_ends(mixed, LineEnd::crlf),
              std::string("a\r\nb\r\nc\r\nd\r\n\r\n\r\ne\0f", 19));
    EXPECT_EQ(with_line_ends("x\ny\n", LineEnd::cr), "x\ry\r");
    EXPECT_EQ(with_line_ends("", LineEnd::crlf), "");
}
