// The tab bar widget: rendered pixels (raised selected tab, hover, fades) and real mouse events.
#include "documents/tabbar_paint.h"
#include "documents/tabbar_widget.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr TabColour face = 0xFFC8C8C8u;

TabBarDefaults test_look() {
    TabBarDefaults look = tabbar_defaults_from(QApplication::palette(), QApplication::font());
    look.bar_colour = look.face_colour = face;
    look.border_colour = 0xFF808080u;
    look.text_colour = 0xFF000000u;
    return look;
}

// Keeps the rendered bar for a person to look at when ZELL_SHOT_DIR names a folder.
void save_shot(const QImage& image, const char* name) {
    const QString folder = qEnvironmentVariable("ZELL_SHOT_DIR");
    if (!folder.isEmpty()) image.save(folder + "/" + QLatin1String(name) + ".png");
}

int brightness(QRgb pixel) {
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
}

class TabBarWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        widget = std::make_unique<TabBarWidget>(test_look(), 0, 0, 400, 25, tabbar_program_flags);
        widget->add_item(tabbar_position_plus, "+");
        widget->on_event = [this](int code, int position) { events.emplace_back(code, position); };
        widget->show();
        QApplication::processEvents();
    }

    void add_tabs(int count) {
        for (int i = 0; i < count; ++i)
            widget->add_item(tabbar_position_none, "program" + std::to_string(i + 1) + ".bas");
    }
    QImage image() { return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32); }
    const TabItem& tab(int position) { return widget->laid_out().items[position]; }
    QPoint body(int position) {
        const TabRect& r = tab(position).rect;
        return {r.x + 3, r.y + 8};
    }
    QPoint close_button(int position) {
        const TabRect box = tabbar_close_box(widget->laid_out(), tab(position));
        return {box.x + box.width / 2, box.y + box.height / 2};
    }
    void leave() {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(widget.get(), &event);
    }

    std::unique_ptr<TabBarWidget> widget;
    std::vector<std::pair<int, int>> events;
};

} // namespace

TEST(TabBarColour, LightenAndDarkenSaturatePerChannelAndKeepAlpha) {
    EXPECT_EQ(lighten_colour(0x80F0F0F0u, 0xFF202020u), 0x80FFFFFFu);
    EXPECT_EQ(lighten_colour(0x12102030u, 0x00010203u), 0x12112233u);
    EXPECT_EQ(darken_colour(0xC0101010u, 0xFF303030u), 0xC0000000u);
    EXPECT_EQ(darken_colour(0xFF4080C0u, 0x00404040u), 0xFF004080u);
    EXPECT_EQ(tabbar_colour_from(tabbar_qcolor(0x80112233u)), 0x80112233u);
    EXPECT_EQ(tabbar_qcolor(0xFF0000FFu), QColor(255, 0, 0));
}

TEST_F(TabBarWidgetTest, SelectedTabIsRaisedToTheTopEdge) {
    add_tabs(3);
    widget->select(1);
    const QImage shot = image();
    save_shot(shot, "tabbar_selected");
    const TabItem& selected = tab(1);
    const TabItem& plain = tab(0);
    const QRgb bar = tabbar_qcolor(face).rgb();
    // The selected tab's outline runs along the top row; above its neighbours is bar colour.
    EXPECT_NE(shot.pixel(selected.rect.x + selected.rect.width / 2, 0), bar);
    EXPECT_EQ(shot.pixel(plain.rect.x + plain.rect.width / 2, 2), bar);
    EXPECT_NE(shot.pixel(plain.rect.x + plain.rect.width / 2, 4), bar);
    // It lies over its right neighbour, whose left edge it covers by 2 pixels.
    EXPECT_EQ(shot.pixel(selected.rect.x + selected.rect.width - 1, 12),
              shot.pixel(selected.rect.x, 12));
    // The bottom line runs under the others but not under the selected tab.
    const QRgb line = tabbar_qcolor(0xFF808080u).rgb();
    EXPECT_EQ(shot.pixel(plain.rect.x + 10, 24), line);
    EXPECT_NE(shot.pixel(selected.rect.x + 10, 24), line);
}

TEST_F(TabBarWidgetTest, HoveredTabIsLighterUntilTheMouseLeaves) {
    add_tabs(3);
    widget->select(0);
    const QPoint probe = body(2);
    const int before = brightness(image().pixel(probe));
    QTest::mouseMove(widget.get(), probe);
    QApplication::processEvents();
    ASSERT_EQ(widget->laid_out().hovered, 2);
    const QImage hovered = image();
    save_shot(hovered, "tabbar_hover");
    EXPECT_GT(brightness(hovered.pixel(probe)), before);
    leave();
    EXPECT_EQ(brightness(image().pixel(probe)), before);
}

TEST_F(TabBarWidgetTest, DarkFaceStaysBlackInsteadOfWrapping) {
    TabBarDefaults look = test_look();
    look.face_colour = look.bar_colour = 0xFF080808u;
    look.text_colour = 0xFFFFFFFFu;
    TabBarWidget dark(look, 0, 0, 200, 25, tabbar_program_flags);
    dark.add_item(tabbar_position_none, "dark.bas");
    const QImage shot = dark.grab().toImage();
    save_shot(shot, "tabbar_dark");
    const TabRect& r = dark.laid_out().items[0].rect;
    // The lowest visible row of the gradient is darkened to the floor, not wrapped to light.
    EXPECT_LT(brightness(shot.pixel(r.x + 3, 23)), 3 * 8);
}

TEST_F(TabBarWidgetTest, ClicksReportEventsWithPositions) {
    add_tabs(3);
    widget->select(0);
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, body(2));
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, body(2));
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, close_button(1));
    QTest::mouseClick(widget.get(), Qt::MiddleButton, {}, body(0));
    const TabItem& plus = widget->laid_out().plus;
    QTest::mouseClick(widget.get(), Qt::MiddleButton, {}, QPoint(plus.rect.x + 5, 12));
    QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(plus.rect.x + 5, 12));
    const std::vector<std::pair<int, int>> expected = {{tabbar_event_change, 2},
                                                       {tabbar_event_close, 1},
                                                       {tabbar_event_close, 0},
                                                       {tabbar_event_new, tabbar_position_plus}};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(widget->event_item(), tabbar_position_plus);

    events.clear();
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, close_button(2));
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, body(2));
    QTest::mouseDClick(widget.get(), Qt::LeftButton, {}, QPoint(380, 12));
    EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{tabbar_event_new, -1}}));
}

TEST_F(TabBarWidgetTest, ScrolledBarShowsFadesArrowsAndScrollsByWheel) {
    add_tabs(30);
    widget->select(12);
    const TabBar& bar = widget->laid_out();
    ASSERT_TRUE(bar.flags & tabbar_hidden_left);
    ASSERT_TRUE(bar.flags & tabbar_hidden_right);
    const TabRect arrow = tabbar_arrow_box(bar, tabbar_hidden_right);
    QTest::mouseMove(widget.get(), QPoint(arrow.x + 5, arrow.y + 8));
    const QImage shot = image();
    save_shot(shot, "tabbar_scrolled");
    const QRgb bar_colour = tabbar_qcolor(face).rgb();
    // Left of the arrow the fade is opaque bar colour, with the idle arrow's glyph in it.
    EXPECT_EQ(shot.pixel(12, 12), bar_colour);
    EXPECT_NE(shot.pixel(5, 14), bar_colour);
    // The hovered right arrow is a raised button, lighter at its top than the bar.
    EXPECT_GT(brightness(shot.pixel(arrow.x + 5, arrow.y + 2)), brightness(bar_colour));

    const int first = bar.first_shown;
    const QPointF at(200, 12);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.get(), &wheel);
    EXPECT_EQ(widget->laid_out().first_shown, first + 1);
    QWheelEvent half(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -60), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.get(), &half);
    EXPECT_EQ(widget->laid_out().first_shown, first + 1);
    QApplication::sendEvent(widget.get(), &half);
    EXPECT_EQ(widget->laid_out().first_shown, first);
}

TEST_F(TabBarWidgetTest, LongNamesAreCutOnScreen) {
    // Four: cut forms keep ".bas", so they are wider than the start alone.
    for (int i = 0; i < 4; ++i)
        widget->add_item(tabbar_position_none,
                         "a_rather_long_program_name_" + std::to_string(i) + ".bas");
    widget->select(3);
    const TabBar& bar = widget->laid_out();
    save_shot(image(), "tabbar_cut");
    for (const TabItem& item : bar.items) {
        ASSERT_GT(item.shown_text.size(), 8u);
        EXPECT_EQ(item.shown_text.substr(item.shown_text.size() - 6), "...bas"); // ".bas" kept
    }
    EXPECT_FALSE(bar.flags & (tabbar_hidden_left | tabbar_hidden_right));
}

TEST_F(TabBarWidgetTest, CloseButtonIsRaisedUnderTheMouseAndSunkenWhilePressed) {
    add_tabs(3);
    widget->select(0);
    const TabRect box = tabbar_close_box(widget->laid_out(), tab(1));
    // Inside the button's outline, just below its top edge, where the two gradients differ most.
    const QPoint top(box.x + 2, box.y + 2);
    QTest::mouseMove(widget.get(), body(1));
    const int idle = brightness(image().pixel(top)); // the hovered tab's own face
    QTest::mouseMove(widget.get(), close_button(1));
    ASSERT_TRUE(widget->laid_out().over_close);
    const QImage raised = image();
    save_shot(raised, "tabbar_close_hover");
    EXPECT_GT(brightness(raised.pixel(top)), idle);
    QTest::mousePress(widget.get(), Qt::LeftButton, {}, close_button(1));
    const QImage sunken = image();
    save_shot(sunken, "tabbar_close_pressed");
    EXPECT_LT(brightness(sunken.pixel(top)), idle);
    // The cross is drawn in the text colour through the middle of the square.
    EXPECT_LT(brightness(sunken.pixel(box.x + box.width / 2, box.y + box.height / 2)), 3 * 0x40);
    // Moving off the button while held: neither raised nor sunken.
    QTest::mouseMove(widget.get(), body(1));
    EXPECT_EQ(brightness(image().pixel(top)), idle);
    QTest::mouseRelease(widget.get(), Qt::LeftButton, {}, body(1));
    EXPECT_TRUE(events.empty());
}

TEST_F(TabBarWidgetTest, PinnedPlusButtonLiesAboveTheRightFade) {
    add_tabs(30);
    const TabBar& bar = widget->laid_out();
    ASSERT_TRUE(bar.flags & tabbar_hidden_right);
    ASSERT_FALSE(bar.flags & tabbar_hidden_left);
    const QImage shot = image();
    save_shot(shot, "tabbar_pinned_plus");
    const QRgb bar_colour = tabbar_qcolor(face).rgb();
    const TabRect arrow = tabbar_arrow_box(bar, tabbar_hidden_right);
    // Beside the arrow the fade is opaque over the tab cut off there.
    EXPECT_EQ(shot.pixel(arrow.x - 2, 20), bar_colour);
    // At the start of the fade the tab below still shows fully.
    const int fade_start = arrow.x - 32 - 4;
    EXPECT_NE(shot.pixel(fade_start, 20), bar_colour);
    // The "+" button is drawn last: its outline and face are not covered.
    const TabRect& plus = bar.plus.rect;
    EXPECT_EQ(shot.pixel(plus.x, plus.y + 10), tabbar_qcolor(0xFF808080u).rgb());
    EXPECT_NE(shot.pixel(plus.x + 3, plus.y + 3), bar_colour);
    // No arrow on the left, so nothing fades there.
    EXPECT_NE(shot.pixel(6, 20), bar_colour);
}
