// The Find Sub/Function chooser's order: prefix, then piece, then letters in order.
#include "documents/name_scan.h"
#include "find/name_filter.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> filtered(const std::vector<NamedLine>& names, std::string_view query) {
    std::vector<std::string> result;
    for (std::size_t index : filter_names(names, query)) result.push_back(names[index].name);
    return result;
}

} // namespace

TEST(NameFilter, PrefixThenPieceThenLettersInOrderCaseIgnored) {
    std::vector<NamedLine> names = {{"RedrawAll", 1}, {"drawBox", 2}, {"DoRandomWalk", 3},
                                    {"Draw", 4},      {"main", 5},    {"dr_w", 6}};
    EXPECT_EQ(filtered(names, "DRAW"),
              (std::vector<std::string>{"drawBox", "Draw", "RedrawAll", "DoRandomWalk"}));
    EXPECT_EQ(filtered(names, "drw"),
              (std::vector<std::string>{"drawBox", "Draw", "dr_w", "RedrawAll", "DoRandomWalk"}));
    EXPECT_EQ(filtered(names, "").size(), names.size());
    EXPECT_TRUE(filtered(names, "zz").empty());
}

TEST(NameFilter, NamedLinesFindHeadersAndLabelsWithTheirLines) {
    std::vector<NamedLine> lines =
        named_lines("start:\r\nSUB Draw(x)\r\nEND SUB\r\nFUNCTION f%(a)\r\nEND FUNCTION");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].name, "start");
    EXPECT_EQ(lines[1].name, "Draw");
    EXPECT_EQ(lines[1].line, 1);
    EXPECT_EQ(lines[2].name, "f%");
    EXPECT_EQ(lines[2].line, 3);
}
