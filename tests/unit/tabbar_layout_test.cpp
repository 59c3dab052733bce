// Tab bar record operations and layout: widths, caption cutting, arrows, scrolling, placement.
#include "documents/tabbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character 7 pixels wide: a tab of n characters is 7n + 12 + 16 wide, the "+" 19.
int monospace(std::string_view text) {
    return int(text.size()) * 7;
}

constexpr int plus_w = 19;

TabBar make_bar(int width, const std::vector<std::string>& names = {}) {
    TabBar bar = tabbar_create(TabBarDefaults{}, 5, 0, width, 25, tabbar_program_flags);
    tabbar_add_item(bar, tabbar_position_plus, "+");
    for (const std::string& name : names) tabbar_add_item(bar, tabbar_position_none, name);
    tabbar_layout(bar, monospace);
    return bar;
}

// Ten-character names without an extension: their cut forms are the start and "..", which the
// pixel figures of the scrolling tests assume.
std::vector<std::string> numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("file" + std::to_string(10 + i) + "_bas");
    return names;
}

void relayout(TabBar& bar) {
    tabbar_layout(bar, monospace);
}

} // namespace

TEST(TabBarRecord, AddSelectRenameAndClear) {
    TabBar bar = make_bar(400, {"a.bas", "b.bas"});
    EXPECT_EQ(tabbar_add_item(bar, tabbar_position_none, "c.bas"), 2);
    tabbar_select(bar, 1);
    EXPECT_TRUE(bar.bring_into_view);
    // Inserting before the selected tab keeps the selection on it.
    EXPECT_EQ(tabbar_add_item(bar, 0, "first.bas"), 0);
    EXPECT_EQ(bar.selected, 2);
    EXPECT_EQ(bar.items[2].text, "b.bas");
    EXPECT_EQ(tabbar_add_item(bar, 9, "nowhere"), tabbar_position_none);
    EXPECT_EQ(bar.items.size(), 4u);

    tabbar_set_item_text(bar, tabbar_position_selected, "renamed.bas");
    EXPECT_EQ(bar.items[2].text, "renamed.bas");
    EXPECT_EQ(bar.items[2].shown_text, "renamed.bas");
    tabbar_set_item_text(bar, 17, "ignored");
    tabbar_set_item_text(bar, tabbar_position_plus, "New");
    EXPECT_EQ(bar.plus.text, "New");

    tabbar_select(bar, tabbar_position_selected);
    EXPECT_EQ(bar.selected, 2);
    tabbar_select(bar, 4);
    EXPECT_EQ(bar.selected, tabbar_position_none);
    tabbar_select(bar, 3);
    tabbar_select(bar, tabbar_position_plus);
    EXPECT_EQ(bar.selected, tabbar_position_none);

    tabbar_select(bar, 0);
    tabbar_clear(bar);
    EXPECT_TRUE(bar.items.empty());
    EXPECT_EQ(bar.selected, tabbar_position_none);
}

TEST(TabBarLayout, EmptyBarShowsOnlyThePlusButton) {
    TabBar bar = make_bar(400);
    EXPECT_EQ(bar.row_height, 21);
    EXPECT_TRUE(bar.plus.visible);
    EXPECT_EQ(bar.plus.x, 4);
    EXPECT_EQ(bar.plus.width, plus_w);
    EXPECT_EQ(bar.plus.rect.y, 4);
    EXPECT_EQ(bar.plus.rect.height, 23);
    EXPECT_EQ(bar.flags & (tabbar_hidden_left | tabbar_hidden_right), 0u);
    // An empty "+" caption still leaves room to click.
    tabbar_set_item_text(bar, tabbar_position_plus, "");
    relayout(bar);
    EXPECT_EQ(bar.plus.width, 28);
}

TEST(TabBarLayout, TabsThatFitSitSideBySideWithTheSelectedOneRaised) {
    TabBar bar = make_bar(400, {"one.bas", "two.bas", "three.bas"});
    tabbar_select(bar, 1);
    relayout(bar);
    EXPECT_EQ(bar.available_width, 400 - 8 - plus_w + 1);
    ASSERT_EQ(bar.items.size(), 3u);
    EXPECT_EQ(bar.items[0].width, 77);
    EXPECT_EQ(bar.items[2].width, 91);
    // Neighbours overlap by one pixel; the "+" follows the last tab the same way.
    EXPECT_EQ(bar.items[0].x, 4);
    EXPECT_EQ(bar.items[1].x, 80);
    EXPECT_EQ(bar.items[2].x, 156);
    EXPECT_EQ(bar.plus.x, 246);
    for (const TabItem& item : bar.items) EXPECT_EQ(item.shown_text, item.text);

    const TabItem& plain = bar.items[0];
    EXPECT_EQ(plain.state, 0);
    EXPECT_EQ(plain.rect.x, 4);
    EXPECT_EQ(plain.rect.y, 4);
    EXPECT_EQ(plain.rect.width, 77);
    EXPECT_EQ(plain.rect.height, 23);
    EXPECT_EQ(plain.inset, 6);
    const TabItem& raised = bar.items[1];
    EXPECT_EQ(raised.state, 2);
    EXPECT_EQ(raised.rect.x, 78);
    EXPECT_EQ(raised.rect.y, 0);
    EXPECT_EQ(raised.rect.width, 81);
    EXPECT_EQ(raised.rect.height, 27);
    EXPECT_EQ(raised.inset, 8);
    EXPECT_EQ(bar.flags & (tabbar_hidden_left | tabbar_hidden_right), 0u);
}

TEST(TabBarLayout, CuttingTakesTheWidestFirstAndTheLeftmostAmongEquals) {
    // Two equal tabs (98 each, total 194) in 190 pixels: the left one is shortened; its first cut
    // widens it ("aaaaaaaaa.." is 11 characters), so it stays the widest until it has given way.
    TabBar bar = make_bar(190 + 26, {"aaaaaaaaaa", "bbbbbbbbbb"});
    EXPECT_EQ(bar.items[0].shown_text, "aaaaaaa..");
    EXPECT_EQ(bar.items[1].shown_text, "bbbbbbbbbb");
    EXPECT_EQ(bar.total_width, 90 + 97);
    EXPECT_EQ(bar.flags & (tabbar_hidden_left | tabbar_hidden_right), 0u);

    // A wider tab in the middle gives way alone while that is enough.
    bar = make_bar(300 + 26, {"aaaaaaaaaa", "bbbbbbbbbbbb", "cccccccccc"});
    EXPECT_EQ(bar.items[0].shown_text, "aaaaaaaaaa");
    EXPECT_EQ(bar.items[1].shown_text, "bbbbbbbbb..");
    EXPECT_EQ(bar.items[2].shown_text, "cccccccccc");
    EXPECT_EQ(bar.items[1].x, bar.items[0].x + bar.items[0].width - 1);

    // More room again: the whole names come back.
    bar.width = 600;
    relayout(bar);
    EXPECT_EQ(bar.items[1].shown_text, "bbbbbbbbbbbb");
}

TEST(TabBarLayout, CaptionsNeverGoBelowThreeCharacters) {
    TabBar bar = make_bar(120, {"abcdefghij.bas", "abcd", "ab", "abcde"});
    EXPECT_EQ(bar.items[0].shown_text, "abc...bas"); // the start and the extension
    // Cutting these would make them no narrower, so they stay whole.
    EXPECT_EQ(bar.items[1].shown_text, "abcd");
    EXPECT_EQ(bar.items[2].shown_text, "ab");
    EXPECT_EQ(bar.items[3].shown_text, "abcde");
    EXPECT_TRUE(bar.flags & tabbar_hidden_right);

    // Multi-byte characters are cut whole.
    bar = make_bar(60, {"\xC3\x9C"
                        "bung-lang.bas",
                        "x"});
    EXPECT_EQ(bar.items[0].shown_text, "\xC3\x9C"
                                       "bu...bas");
}

TEST(TabBarLayout, TabsThatStillDoNotFitGetArrows) {
    // 20 tabs cut to "fil.." are 63 wide each; only about six fit in 400 pixels.
    TabBar bar = make_bar(400, numbered(20));
    for (const TabItem& item : bar.items) EXPECT_EQ(item.shown_text, "fil..");
    EXPECT_TRUE(bar.flags & tabbar_hidden_right);
    EXPECT_FALSE(bar.flags & tabbar_hidden_left);
    // The right arrow took its room (arrow width and margin beside the "+").
    EXPECT_EQ(bar.available_width, 400 - 8 - plus_w + 1 - 10 - 4);
    EXPECT_EQ(bar.first_shown, 0);
    EXPECT_EQ(bar.items[0].x, 4);
    EXPECT_TRUE(bar.items[5].visible); // ends beyond the room, cut off by the arrow area
    EXPECT_FALSE(bar.items[6].visible);
    EXPECT_EQ(bar.items[6].x, 0xFFFF);
    EXPECT_EQ(bar.plus.x, 400 - plus_w - 2); // pinned to the right end

    const TabRect right = tabbar_arrow_box(bar, tabbar_hidden_right);
    EXPECT_EQ(right.x, 400 - 10 - plus_w - 4);
    EXPECT_EQ(right.y, 14 - 8);
    EXPECT_EQ(right.height, 16);
}

TEST(TabBarLayout, SelectingAHiddenTabBringsItIntoView) {
    TabBar bar = make_bar(400, numbered(20));
    tabbar_select(bar, 15);
    relayout(bar);
    EXPECT_FALSE(bar.bring_into_view);
    EXPECT_TRUE(bar.flags & tabbar_hidden_left);
    EXPECT_TRUE(bar.flags & tabbar_hidden_right);
    // Both arrows with the left fade take room.
    EXPECT_EQ(bar.available_width, 400 - 8 - plus_w + 1 - 42 - 14);
    const int first = bar.first_shown;
    ASSERT_GT(first, 1);
    EXPECT_EQ(bar.items[first].x, 46);
    // The tab before the first shown one ends under the left fade; earlier ones are out of sight.
    EXPECT_TRUE(bar.items[first - 1].visible);
    EXPECT_EQ(bar.items[first - 1].x, 46 - 63 + 1);
    EXPECT_FALSE(bar.items[first - 2].visible);
    EXPECT_EQ(bar.items[first - 2].x, -65535);

    // Without arrows six tabs of 62 fit (first shown 10); the arrows and the left fade take room,
    // so the repeated pass scrolls one more. The tab ends within the room, left of the arrow.
    EXPECT_EQ(first, 11);
    const TabItem& selected = bar.items[15];
    EXPECT_TRUE(selected.visible);
    EXPECT_LE(selected.x + selected.width - 1 - 46, bar.available_width);
    EXPECT_LE(selected.rect.x + selected.rect.width, tabbar_arrow_box(bar, tabbar_hidden_right).x);
    // The next tab is placed under the fade and the arrow; the ones after it are out of sight.
    EXPECT_TRUE(bar.items[16].visible);
    EXPECT_FALSE(bar.items[17].visible);

    // The user may scroll the selected tab away again: the flag was used up.
    bar.first_shown = 2;
    relayout(bar);
    EXPECT_EQ(bar.first_shown, 2);

    // A selected tab on the left of the shown ones becomes the first shown.
    tabbar_select(bar, 1);
    relayout(bar);
    EXPECT_EQ(bar.first_shown, 1);
    EXPECT_EQ(bar.items[1].x, 46);
}

TEST(TabBarLayout, ScrollsBackWhenTabsAtTheEndAreClosed) {
    TabBar bar = make_bar(400, numbered(20));
    tabbar_select(bar, 19);
    relayout(bar);
    EXPECT_EQ(bar.first_shown, 15);
    EXPECT_FALSE(bar.flags & tabbar_hidden_right);
    EXPECT_EQ(bar.plus.x, bar.items[19].x + bar.items[19].width - 1);

    // The program rebuilds the tabs after a close.
    tabbar_clear(bar);
    for (const std::string& name : numbered(17)) tabbar_add_item(bar, tabbar_position_none, name);
    tabbar_select(bar, 16);
    relayout(bar);
    EXPECT_EQ(bar.first_shown, 12);
    EXPECT_TRUE(bar.flags & tabbar_hidden_left);
    EXPECT_FALSE(bar.flags & tabbar_hidden_right);

    // Closing enough tabs lets everything fit again, from the left edge.
    tabbar_clear(bar);
    for (const std::string& name : numbered(3)) tabbar_add_item(bar, tabbar_position_none, name);
    relayout(bar);
    EXPECT_EQ(bar.first_shown, 0);
    EXPECT_EQ(bar.items[0].x, 4);
    EXPECT_EQ(bar.items[0].shown_text, "file10_bas");
}

TEST(TabBarLayout, WithoutCuttingTabsKeepTheirNames) {
    TabBar bar = tabbar_create(TabBarDefaults{}, 0, 0, 300, 25,
                               tabbar_flag_close_buttons | tabbar_flag_bottom_line);
    for (const std::string& name : numbered(10)) tabbar_add_item(bar, tabbar_position_none, name);
    relayout(bar);
    EXPECT_EQ(bar.items[0].shown_text, "file10_bas");
    EXPECT_EQ(bar.items[0].width, 98);
    EXPECT_TRUE(bar.flags & tabbar_hidden_right);
    EXPECT_FALSE(bar.plus.visible);
}

TEST(TabBarLayout, DrawTimeCaptionFitting) {
    EXPECT_EQ(tabbar_fit_caption("abcdefgh", "abcdefgh", 56, monospace), "abcdefgh");
    EXPECT_EQ(tabbar_fit_caption("abcdefgh", "abcdefgh", 49, monospace), "abcde..");
    // A caption already cut goes on from its characters before the "..".
    EXPECT_EQ(tabbar_fit_caption("abcdefgh", "abcde..", 42, monospace), "abcd..");
    EXPECT_EQ(tabbar_fit_caption("abcdefgh", "abcdefgh", 1, monospace), "abc..");
    EXPECT_EQ(tabbar_fit_caption("ab", "ab", 1, monospace), "ab");
}

TEST(TabBarLayout, MeasuresEachTextOnlyOnce) {
    int calls = 0;
    auto counting = [&calls](std::string_view text) {
        ++calls;
        return monospace(text);
    };
    TabBar bar = tabbar_create(TabBarDefaults{}, 0, 0, 400, 25, tabbar_program_flags);
    tabbar_add_item(bar, tabbar_position_plus, "+");
    for (const std::string& name : numbered(50)) tabbar_add_item(bar, tabbar_position_none, name);
    tabbar_layout(bar, counting);
    const int first = calls;
    EXPECT_GT(first, 0);
    tabbar_layout(bar, counting);
    EXPECT_EQ(calls, first);
    tabbar_set_item_text(bar, 3, "renamed.bas");
    tabbar_layout(bar, counting);
    EXPECT_LE(calls - first, 3);
}

TEST(TabBarText, Utf8Check) {
    EXPECT_TRUE(tabbar_text_is_utf8("plain.bas"));
    EXPECT_TRUE(tabbar_text_is_utf8("\xC3\xBC"
                                    "bung"));
    EXPECT_FALSE(tabbar_text_is_utf8("\xFC"
                                     "bung"));         // Latin-1
    EXPECT_FALSE(tabbar_text_is_utf8("end\xC3"));      // cut short
    EXPECT_FALSE(tabbar_text_is_utf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(tabbar_text_is_utf8("\xED\xA0\x80")); // surrogate
}

TEST(TabBarLayout, CutCaptionsKeepTheirStartTheExtensionAndTheModifiedMark) {
    struct Case {
        std::string text;
        int width; // of the bar
        std::string shown;
    };
    for (const Case& c : {Case{"third-party-program.bas *", 160, "third-p...bas *"},
                          Case{"third-party-program.bas", 150, "third-p...bas"},
                          Case{"third-party-program.bas *", 2000, "third-party-program.bas *"},
                          Case{"notes.backup", 80, "not.."}, // a long extension is not kept
                          Case{"short.bas *", 60, "short.bas *"}}) {
        SCOPED_TRACE(c.text);
        TabBar bar = make_bar(c.width, {c.text});
        EXPECT_EQ(bar.items[0].shown_text, c.shown);
    }
    // Painting shortens further the same way.
    EXPECT_EQ(tabbar_fit_caption("third-party-program.bas *", "third-p...bas *", 98, monospace),
              "third-...bas *");
}
