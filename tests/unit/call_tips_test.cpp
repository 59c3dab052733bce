// Tests of call-tip texts, the argument the caret is in and its place in the tip.
#include "help/call_tips.h"

#include <gtest/gtest.h>

namespace {

std::string highlighted(std::string_view tip, int argument) {
    const TipRange range = argument_range(tip, argument);
    return std::string(tip.substr(range.start, range.end - range.start));
}

} // namespace

TEST(CallTips, ArgumentIndexCountsCommasOutsideStringsAndParentheses) {
    EXPECT_EQ(argument_index(" "), 0);
    EXPECT_EQ(argument_index(" 10, 20"), 1);
    EXPECT_EQ(argument_index(" a(1, 2), \"x,y\", "), 2);
    EXPECT_EQ(argument_index("(a$, 3"), 1);
    EXPECT_EQ(argument_index("(a$, f(1, 2), "), 2);
    // The caret has left the statement.
    EXPECT_EQ(argument_index("(a$, 3)"), -1);
    EXPECT_EQ(argument_index(" a, b ' note, c"), -1);
    EXPECT_EQ(argument_index(" a : PRINT b, c"), -1);
    EXPECT_EQ(argument_index(" \"' : (\", 1"), 1);
    EXPECT_EQ(argument_index(""), 0);
}

TEST(CallTips, ArgumentRangeFollowsTheSyntaxLine) {
    const std::string line = "LINE x1, y1, x2, y2 [, lw [, colour]]\nDraws a line.";
    EXPECT_EQ(highlighted(line, 0), "x1");
    EXPECT_EQ(highlighted(line, 3), "y2");
    EXPECT_EQ(highlighted(line, 4), "lw");
    EXPECT_EQ(highlighted(line, 5), "colour");
    EXPECT_EQ(highlighted(line, 6), "");
    EXPECT_EQ(highlighted(line, -1), "");
    const std::string function = "MID$(string$, start [, length]) and more, words";
    EXPECT_EQ(highlighted(function, 0), "string$");
    EXPECT_EQ(highlighted(function, 2), "length");
    EXPECT_EQ(highlighted(function, 3), "");
    EXPECT_EQ(highlighted("RGB(r, g(1, 2), b)", 1), "g(1, 2)");
    EXPECT_EQ(highlighted("CLS", 0), "");
    EXPECT_EQ(highlighted("", 0), "");
    EXPECT_EQ(highlighted("F(", 0), "");
}

TEST(CallTips, TakesArgumentsWhenTheSyntaxHasMoreThanTheWord) {
    HelpEntry entry{"CLS", {}, {"CLS [colour]"}, "Clears."};
    EXPECT_TRUE(takes_arguments(entry));
    EXPECT_EQ(call_tip_text(entry), "CLS [colour]\nClears.");
    entry.syntax = {"CLS"};
    EXPECT_FALSE(takes_arguments(entry));
    EXPECT_TRUE(takes_arguments({"COLOR", {"COLOUR"}, {"colour fore"}, ""}));
    EXPECT_FALSE(takes_arguments({"TO", {}, {"FOR counter = start TO finish"}, ""}));
    entry.syntax.clear();
    EXPECT_FALSE(takes_arguments(entry));
    EXPECT_EQ(call_tip_text(entry), "Clears.");
}
