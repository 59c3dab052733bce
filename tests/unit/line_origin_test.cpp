// Lines of a merged program traced back to their files.
#include "device/line_origin.h"

#include <gtest/gtest.h>

TEST(LineOrigin, MergedLinesGoBackToTheirFileAndLine) {
    const std::string merged = "a1\n"                            // 1: program 1
                               "' ==== start of lib.inc ====\n"  // 2: program 2 (#INCLUDE)
                               "l1\n"                            // 3: lib 1
                               "' ==== start of deep.inc ====\n" // 4: lib 2 (#INCLUDE)
                               "d1\n"                            // 5: deep 1
                               "' ==== end of deep.inc ====\n"   // 6: lib 2 again
                               "l3\n"                            // 7: lib 3
                               "' ==== end of lib.inc ====\n"    // 8: program 2 again
                               "a3\r\n";                         // 9: program 3
    struct Case {
        long line;
        std::vector<std::string> includes;
        long origin;
    };
    const Case cases[] = {{1, {}, 1},
                          {2, {}, 2},
                          {3, {"lib.inc"}, 1},
                          {4, {"lib.inc"}, 2},
                          {5, {"lib.inc", "deep.inc"}, 1},
                          {6, {"lib.inc"}, 2},
                          {7, {"lib.inc"}, 3},
                          {8, {}, 2},
                          {9, {}, 3}};
    for (const Case& c : cases) {
        LineOrigin origin = origin_of_line(merged, c.line);
        EXPECT_EQ(origin.includes, c.includes) << c.line;
        EXPECT_EQ(origin.line, c.origin) << c.line;
    }
    // A program without markers is its own origin; a stray end marker changes nothing.
    EXPECT_EQ(origin_of_line("x\n' ==== end of a.inc ====\ny\n", 3).line, 3);
    EXPECT_TRUE(origin_of_line("x\n' ==== end of a.inc ====\ny\n", 3).includes.empty());
}
