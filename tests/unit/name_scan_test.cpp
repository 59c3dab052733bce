// Names found in a whole program: scanning, the one-entry-per-name rule and the label list.
#include "documents/name_index.h"
#include "documents/name_scan.h"

#include <gtest/gtest.h>

namespace {

// The rule written plainly: the names text holds the same whole name, ignoring letter case.
bool names_contain(std::string_view names, std::string_view name) {
    for (const std::string& held : split_names(lower_names(names)))
        if (held == lower_names(name)) return true;
    return false;
}

} // namespace

TEST(NameScan, FindsHeadersAndLabelsOnEveryLineTheLastToo) {
    ScannedNames scanned =
        scan_names_text("Sub Draw(x, y)\r\nStart: PRINT 1\r\n  FUNCTION Area\nEnd:");
    EXPECT_EQ(scanned.names, (std::vector<std::string>{"Draw", "Start", "Area", "End"}));
    EXPECT_EQ(scanned.found, " Draw Start Start: Area End End:");
}

TEST(NameScan, UniqueNamesDropOnlyTheSameWholeNameIgnoringCase) {
    EXPECT_EQ(unique_names({"Draw", "DRAW", "raw", "Drawing", "Other"}), "Draw raw Drawing Other ");
    EXPECT_EQ(unique_names({"Drawing", "Draw", "Dra"}), "Drawing Draw Dra ");
    EXPECT_EQ(unique_names({}), "");
}

TEST(NameScan, NameIndexHoldsWholeNamesAndFollowsAppends) {
    NameIndex index;
    reset_name_index(index, "Main DrawAll ");
    EXPECT_TRUE(name_index_holds(index, "MAIN"));
    EXPECT_FALSE(name_index_holds(index, "Draw")); // a piece of a name is not held
    EXPECT_FALSE(name_index_holds(index, "Blink"));
    add_to_name_index(index, "Blink");
    EXPECT_TRUE(name_index_holds(index, "blink"));
    reset_name_index(index, {});
    EXPECT_FALSE(name_index_holds(index, "main"));
}

TEST(NameScan, ALongRepetitiveLabelIsHeldOnce) {
    // One label line of 160 KB, as a generated program may hold: linear work, one entry.
    std::string label(160 * 1024, 'a');
    ScannedNames scanned = scan_names_text(label + ":\n" + label + ":\n");
    EXPECT_EQ(unique_names(scanned.names), label + " ");
}

TEST(NameScan, UniqueNamesAgreeWithSearchingTheTextOverManyNames) {
    // Names that share beginnings and endings, in an order where pieces come before and after
    // the names that hold them.
    std::vector<std::string> names;
    const char* stems[] = {"Draw", "draw2", "Step1", "STEP12", "ep1", "Label", "abel", "x"};
    for (int i = 0; i < 400; ++i)
        names.push_back(std::string(stems[(i * 7) % 8]) + std::to_string(i % 13));
    std::string expected;
    for (const std::string& name : names)
        if (!names_contain(expected, name)) expected += name + ' ';
    EXPECT_EQ(unique_names(names), expected);
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
    EXPECT_EQ(find_name_line_in("Function name$ (x)\n", "name$"), 0);
}
