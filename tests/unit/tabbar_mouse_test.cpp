// Tab bar mouse handling: every event code from clicks at pixel positions, hover, arrows, wheel.
#include "documents/tabbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int monospace(std::string_view text) {
    return int(text.size()) * 7;
}

struct Point {
    int x, y;
};

class TabBarMouse : public ::testing::Test {
  protected:
    TabBar bar = tabbar_create(TabBarDefaults{}, 5, 0, 400, 25, tabbar_program_flags);

    void SetUp() override { tabbar_add_item(bar, tabbar_position_plus, "+"); }

    void add_tabs(int count) {
        for (int i = 0; i < count; ++i)
            // No extension: cut forms are the start and "..", as the figures below assume.
            tabbar_add_item(bar, tabbar_position_none, "file" + std::to_string(10 + i) + "_bas");
        tabbar_layout(bar, monospace);
    }

    int send(TabMouseKind kind, Point at, int wheel = 0) {
        return tabbar_handle_event(bar, TabMouseEvent{kind, at.x, at.y, wheel}, monospace);
    }
    // Press and release at one place; returns the code of each half.
    std::pair<int, int> click(Point at, bool middle = false) {
        const int down = send(middle ? TabMouseKind::middle_down : TabMouseKind::left_down, at);
        const int up = send(middle ? TabMouseKind::middle_up : TabMouseKind::left_up, at);
        return {down, up};
    }

    Point body(int tab) const {
        const TabRect& r = bar.items[tab].rect;
        return {r.x + bar.items[tab].inset + 2, r.y + r.height / 2};
    }
    Point close_button(int tab) const {
        const TabRect box = tabbar_close_box(bar, bar.items[tab]);
        return {box.x + box.width / 2, box.y + box.height / 2};
    }
    Point plus() const { return {bar.plus.rect.x + 5, bar.plus.rect.y + 8}; }
    Point arrow(unsigned which) const {
        const TabRect box = tabbar_arrow_box(bar, which);
        return {box.x + box.width / 2, box.y + box.height / 2};
    }
};

} // namespace

TEST_F(TabBarMouse, PlusButtonOnAnEmptyBarAsksForANewDocument) {
    tabbar_layout(bar, monospace);
    EXPECT_EQ(bar.plus.x, 4);
    EXPECT_EQ(send(TabMouseKind::left_down, plus()), tabbar_event_new);
    EXPECT_EQ(tabbar_event_item(bar), tabbar_position_plus);
    EXPECT_EQ(send(TabMouseKind::left_up, plus()), tabbar_event_none);
    // The middle button on the "+" does nothing.
    EXPECT_EQ(click(plus(), true), std::make_pair(0, 0));
}

TEST_F(TabBarMouse, LeftClicksSelectTabs) {
    add_tabs(3);
    tabbar_select(bar, 0);
    tabbar_layout(bar, monospace);
    EXPECT_EQ(click(body(2)), std::make_pair(tabbar_event_change, 0));
    EXPECT_EQ(tabbar_event_item(bar), 2);
    EXPECT_EQ(bar.selected, 2);
    EXPECT_EQ(bar.items[2].state, 2);
    // The already selected tab gives no change event.
    EXPECT_EQ(click(body(2)), std::make_pair(0, 0));
    EXPECT_EQ(tabbar_event_item(bar), 2);

    // A disabled tab is not selected.
    bar.items[1].disabled = true;
    tabbar_layout(bar, monospace);
    EXPECT_EQ(click(body(1)), std::make_pair(0, 0));
    EXPECT_EQ(bar.selected, 2);
    EXPECT_EQ(bar.items[1].state, -1);
}

TEST_F(TabBarMouse, CloseNeedsTheReleaseOverThePressedTabsCloseButton) {
    add_tabs(3);
    EXPECT_EQ(click(close_button(1)), std::make_pair(0, tabbar_event_close));
    EXPECT_EQ(tabbar_event_item(bar), 1);
    EXPECT_EQ(bar.selected, tabbar_position_none); // pressing a close button selects nothing

    // Pressed on the close button, released elsewhere: nothing.
    EXPECT_EQ(send(TabMouseKind::left_down, close_button(1)), 0);
    EXPECT_TRUE(bar.close_pressed);
    EXPECT_EQ(send(TabMouseKind::left_up, body(1)), 0);
    EXPECT_FALSE(bar.close_pressed);
    // Pressed on another close button: nothing either.
    send(TabMouseKind::left_down, close_button(0));
    EXPECT_EQ(send(TabMouseKind::left_up, close_button(1)), 0);
    // Pressed on the tab body, released on its own close button: a change, then a close.
    EXPECT_EQ(send(TabMouseKind::left_down, body(2)), tabbar_event_change);
    EXPECT_EQ(send(TabMouseKind::left_up, close_button(2)), tabbar_event_close);
    EXPECT_EQ(tabbar_event_item(bar), 2);
    // A release does not act on a tab pressed before: press on the empty part, release on a close.
    const Point empty{bar.plus.x + bar.plus.width + 20, 15};
    send(TabMouseKind::left_down, empty);
    EXPECT_EQ(send(TabMouseKind::left_up, close_button(2)), 0);
    send(TabMouseKind::middle_down, empty);
    EXPECT_EQ(send(TabMouseKind::middle_up, body(2)), 0);
}

TEST_F(TabBarMouse, MiddleClickClosesATab) {
    add_tabs(3);
    EXPECT_EQ(click(body(0), true), std::make_pair(0, tabbar_event_close));
    EXPECT_EQ(tabbar_event_item(bar), 0);
    EXPECT_EQ(bar.selected, tabbar_position_none);
    // Pressed on one tab, released on another: nothing.
    send(TabMouseKind::middle_down, body(0));
    EXPECT_EQ(send(TabMouseKind::middle_up, body(1)), 0);
}

TEST_F(TabBarMouse, DoubleClickOnTheEmptyPartAsksForANewDocument) {
    add_tabs(2);
    const Point empty{bar.plus.x + bar.plus.width + 20, 15};
    EXPECT_EQ(click(empty), std::make_pair(0, 0));
    EXPECT_EQ(send(TabMouseKind::double_click, empty), tabbar_event_new);
    EXPECT_EQ(tabbar_event_item(bar), tabbar_position_none);
    // On a tab a double-click is just a second press.
    tabbar_select(bar, 1);
    EXPECT_EQ(send(TabMouseKind::double_click, body(1)), 0);
    EXPECT_EQ(send(TabMouseKind::double_click, body(0)), tabbar_event_change);
}

TEST_F(TabBarMouse, HoverLightsOneItemAndThePlusButtonWins) {
    add_tabs(3);
    send(TabMouseKind::move, body(1));
    EXPECT_EQ(bar.hovered, 1);
    EXPECT_EQ(bar.items[1].state, 1);
    EXPECT_EQ(tabbar_event_item(bar), 1);
    send(TabMouseKind::move, close_button(1));
    EXPECT_TRUE(bar.over_close);
    send(TabMouseKind::leave, {-1, -1});
    EXPECT_EQ(bar.hovered, tabbar_position_none);
    EXPECT_EQ(bar.items[1].state, 0);
    EXPECT_FALSE(bar.over_close);

    // The raised last tab reaches 2 pixels into the "+" button, which still wins there.
    tabbar_select(bar, 2);
    tabbar_layout(bar, monospace);
    const TabRect& last = bar.items[2].rect;
    ASSERT_GT(last.x + last.width - 1, bar.plus.rect.x);
    send(TabMouseKind::move, {bar.plus.rect.x, 15});
    EXPECT_EQ(bar.hovered, tabbar_position_plus);
    EXPECT_EQ(bar.plus.state, 1);
    // Just left of it, the raised tab wins over its left neighbour.
    send(TabMouseKind::move, {last.x, 15});
    EXPECT_EQ(bar.hovered, 2);
}

TEST_F(TabBarMouse, ArrowsScrollOneTabPerClick) {
    add_tabs(20);
    ASSERT_TRUE(bar.flags & tabbar_hidden_right);
    ASSERT_FALSE(bar.flags & tabbar_hidden_left);
    send(TabMouseKind::move, arrow(tabbar_hidden_right));
    EXPECT_EQ(bar.hovered_arrow, tabbar_hidden_right);
    EXPECT_EQ(bar.hovered, tabbar_position_none);

    EXPECT_EQ(click(arrow(tabbar_hidden_right)), std::make_pair(0, 0));
    EXPECT_EQ(bar.first_shown, 1);
    EXPECT_TRUE(bar.flags & tabbar_hidden_left);
    click(arrow(tabbar_hidden_right));
    EXPECT_EQ(bar.first_shown, 2);
    // A press that leaves the arrow before the release does not scroll.
    send(TabMouseKind::left_down, arrow(tabbar_hidden_right));
    send(TabMouseKind::left_up, {200, 15});
    EXPECT_EQ(bar.first_shown, 2);
    click(arrow(tabbar_hidden_left));
    EXPECT_EQ(bar.first_shown, 1);
    // A double-click over an arrow is a second press: no new document, and its release scrolls.
    EXPECT_EQ(send(TabMouseKind::double_click, arrow(tabbar_hidden_right)), 0);
    EXPECT_EQ(bar.first_shown, 1);
    send(TabMouseKind::left_up, arrow(tabbar_hidden_right));
    EXPECT_EQ(bar.first_shown, 2);
}

TEST_F(TabBarMouse, WheelScrollsOnlyWhileAnArrowShows) {
    add_tabs(3);
    send(TabMouseKind::wheel, {50, 15}, 1);
    EXPECT_EQ(bar.first_shown, 0);

    tabbar_clear(bar);
    add_tabs(20);
    send(TabMouseKind::wheel, {50, 15}, 3);
    EXPECT_EQ(bar.first_shown, 3);
    send(TabMouseKind::wheel, {50, 15}, -1);
    EXPECT_EQ(bar.first_shown, 2);
    send(TabMouseKind::wheel, {50, 15}, -5);
    EXPECT_EQ(bar.first_shown, 0);
    // Past the end it settles where the last tabs fill the room.
    send(TabMouseKind::wheel, {50, 15}, 40);
    EXPECT_EQ(bar.first_shown, 15);
    EXPECT_FALSE(bar.flags & tabbar_hidden_right);
}
