// Names found in a whole program: scanning, the one-entry-per-name rule and the label list.
#include "documents/name_scan.h"

#include <gtest/gtest.h>

TEST(NameScan, FindsHeadersAndLabelsOnTerminatedLinesOnly) {
    ScannedNames scanned =
        scan_names_text("Sub Draw(x, y)\r\nStart: PRINT 1\r\n  FUNCTION Area\nEnd:");
    EXPECT_EQ(scanned.names, (std::vector<std::string>{"Draw(x,", "Start", "Area"}));
    EXPECT_EQ(scanned.found, " Draw(x, Start Start: Area");
}

TEST(NameScan, UniqueNamesDropAnyNameTheTextAlreadyHoldsIgnoringCase) {
    EXPECT_EQ(unique_names({"Draw", "DRAW", "raw", "Drawing", "Other"}), "Draw Drawing Other ");
    // A longer name first hides its parts that come later, not the other way round.
    EXPECT_EQ(unique_names({"Drawing", "Draw"}), "Drawing ");
    EXPECT_EQ(unique_names({}), "");
}

TEST(NameScan, ContainmentMatchesWithAndWithoutLoweredText) {
    EXPECT_TRUE(names_contain("Main Start ", "start"));
    EXPECT_TRUE(names_contain("Main Start ", "n S")); // across the blank, as the text reads
    EXPECT_FALSE(names_contain("Main Start ", "Stop"));
    EXPECT_TRUE(lowered_names_contain(lower_names("Main Start "), "MAIN"));
    EXPECT_FALSE(lowered_names_contain("", "x"));
}

TEST(NameScan, LabelListShowsFieldsWithoutColonAndIgnoresTheUnfinishedTail) {
    EXPECT_EQ(label_list_entries("Draw Start Start: Area tail"),
              (std::vector<std::string>{"Draw", "Start", "Area"}));
    EXPECT_EQ(split_names("  a  b "), (std::vector<std::string>{"a", "b"}));
}

TEST(NameScan, FindNameLineSearchesTheLastLineToo) {
    const char* text = "x = 1\r\nSub Draw\r\nLast:";
    EXPECT_EQ(find_name_line_in(text, "Draw"), 1);
    EXPECT_EQ(find_name_line_in(text, "Last"), 2);
    EXPECT_EQ(find_name_line_in(text, "draw"), -1);
}
