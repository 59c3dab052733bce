// The recent-files list and its file: order, capacity, damage.
#include "documents/recent_files.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(RecentFiles, NewestFirstEachOnceAtMostTen) {
    std::vector<std::string> recent;
    for (int i = 0; i < 12; ++i) add_recent(recent, "/p/" + std::to_string(i) + ".bas");
    ASSERT_EQ(recent.size(), recent_capacity);
    EXPECT_EQ(recent.front(), "/p/11.bas");
    EXPECT_EQ(recent.back(), "/p/2.bas");
    add_recent(recent, "/p/5.bas");
    EXPECT_EQ(recent.front(), "/p/5.bas");
    EXPECT_EQ(recent.size(), recent_capacity);
    EXPECT_EQ(std::count(recent.begin(), recent.end(), "/p/5.bas"), 1);
}

TEST(RecentFiles, MenuTextsNumberOneToTenAndShowAmpersands) {
    EXPECT_EQ(recent_item_text(0, "/a/b/prog.bas"), "&1 prog.bas");
    EXPECT_EQ(recent_item_text(8, "/x.bas"), "&9 x.bas");
    EXPECT_EQ(recent_item_text(9, "/R&D.bas"), "1&0 R&&D.bas");
}

TEST(RecentFiles, FileRoundTripsAndDamageCostsOnlyItsEntries) {
    ViewState state;
    state.zoom = 4;
    state.recent = {"/a.bas", "/with space/b.bas"};
    EXPECT_EQ(parse_view_state(view_state_text(state)).recent, state.recent);
    EXPECT_EQ(parse_view_state(view_state_text(state)).zoom, 4);

    std::string damaged = "\x01\xff garbage\n[Recent]\nFile1=relative.bas\nFile2=/ok.bas\n"
                          "File3=/ok.bas\nFile4=\nFile99=/far.bas\n[View]\nZoom=999\n";
    ViewState read = parse_view_state(damaged);
    EXPECT_EQ(read.recent, (std::vector<std::string>{"/ok.bas"}));
    EXPECT_EQ(read.zoom, 20);

    std::string many = "[Recent]\n";
    for (int i = 1; i <= 1000; ++i)
        many += "File" + std::to_string(i) + "=/f" + std::to_string(i) + "\n";
    EXPECT_EQ(parse_view_state(many).recent.size(), recent_capacity);
    EXPECT_TRUE(parse_view_state("").recent.empty());
}
