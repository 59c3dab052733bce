// Data blocks: which lines of a program belong to CSUB, CFUNCTION and DEFINEFONT blocks.
#include "tools/data_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<BlockLine> classify(const std::vector<std::string>& lines) {
    DataBlockTracker tracker;
    std::vector<BlockLine> kinds;
    for (const std::string& line : lines) kinds.push_back(tracker.next(line));
    return kinds;
}

using B = BlockLine;

TEST(DataBlocks, BlocksShapedLikeRealOnesAreDataUpToTheirEnd) {
    EXPECT_EQ(classify({"PRINT 1", "CSUB MyCode integer, integer", "  00000000",
                        "  906E4646 24242209 3030180C", "END CSUB", "MyCode 1, 2"}),
              (std::vector<B>{B::code, B::opens, B::data, B::data, B::closes, B::code}));
    EXPECT_EQ(classify({"DefineFont #8", "  10 20 0A0B0C0D", "  End  DefineFont\r\n", "x"}),
              (std::vector<B>{B::opens, B::data, B::closes, B::code}));
    EXPECT_EQ(classify({"\tcfunction f\t", "0123ABCD", "END\tCFUNCTION", "END"}),
              (std::vector<B>{B::opens, B::data, B::closes, B::code}));
}

TEST(DataBlocks, OnlyTheBlockWordsOpenAndOnlyTheirEndCloses) {
    // A plain END or END SUB inside a block is data; words merely starting alike open nothing.
    EXPECT_EQ(classify({"CSUBX", "CSUB a", "END", "END SUB", "END CSUB"}),
              (std::vector<B>{B::code, B::opens, B::data, B::data, B::closes}));
    // A block that never ends runs to the end of the program.
    EXPECT_EQ(classify({"DEFINEFONT 9", "AB", ""}), (std::vector<B>{B::opens, B::data, B::data}));
    // END CSUB outside a block is ordinary code.
    EXPECT_EQ(classify({"END CSUB", ""}), (std::vector<B>{B::code, B::code}));
}

} // namespace
