// The tab bar in the running editor: its place in the main window, and clicks that create,
// switch and close documents.
#include "app/main_window.h"
#include "documents/opening.h"
#include "documents/tabbar_widget.h"
#include "support/app_fixture.h"

#include <QTest>

namespace {

class TabBarInWindowTest : public AppFixture {
  protected:
    const TabBar& bar() { return app->tab_bar->laid_out(); }
    QPoint body(int position) {
        const TabRect& r = bar().items[position].rect;
        return {r.x + bar().items[position].inset + 2, r.y + r.height / 2};
    }
    QPoint close_button(int position) {
        const TabRect box = tabbar_close_box(bar(), bar().items[position]);
        return {box.x + box.width / 2, box.y + box.height / 2};
    }
    QPoint plus() {
        const TabRect& r = bar().plus.rect;
        return {r.x + r.width / 2, r.y + r.height / 2};
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(app->tab_bar, button, {}, at);
        process_events();
    }
};

} // namespace

TEST_F(TabBarInWindowTest, ClicksCreateSwitchAndCloseDocuments) {
    start();
    ASSERT_TRUE(app && app->tab_bar);
    const QWidget* area = app->tab_bar->parentWidget();
    EXPECT_EQ(app->tab_bar->geometry(), QRect(5, 0, area->width() - 15, 25));
    ASSERT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->tab_bar->count(), 1);
    EXPECT_EQ(bar().selected, 0);
    EXPECT_EQ(bar().plus.text, "+");

    click(plus());
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.current, 1);
    EXPECT_EQ(bar().selected, 1);

    click(body(0));
    EXPECT_EQ(app->documents.current, 0);
    EXPECT_EQ(bar().selected, 0);

    // The middle button on "+" does nothing; a double-click on the empty part makes a document.
    click(plus(), Qt::MiddleButton);
    EXPECT_EQ(app->documents.count(), 2);
    const TabRect& last = bar().plus.rect;
    QTest::mouseDClick(app->tab_bar, Qt::LeftButton, {}, QPoint(last.x + last.width + 30, 14));
    process_events();
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(app->documents.current, 2);

    // Unchanged documents close without a question, by close button or middle click.
    click(close_button(2));
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->tab_bar->count(), 2);
    click(body(0), Qt::MiddleButton);
    EXPECT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->tab_bar->count(), 1);
    EXPECT_TRUE(requesters->shown.empty());
}

namespace {

// Whether the picture shows dark ink (caption text, the "+") inside `rect`.
bool shows_ink(const QImage& image, const TabRect& rect) {
    for (int y = std::max(rect.y, 0); y < std::min(rect.y + rect.height, image.height()); ++y)
        for (int x = std::max(rect.x, 0); x < std::min(rect.x + rect.width, image.width()); ++x)
            if (QColor(image.pixel(x, y)).lightness() < 100) return true;
    return false;
}

} // namespace

TEST_F(TabBarInWindowTest, TheBarFollowsEveryResizeAndKeepsTheActiveTabInView) {
    start();
    for (int i = 0; i < 6; ++i) {
        const std::string file = path("third-party-program-" + std::to_string(i) + ".bas");
        write_file(file, "PRINT 1\r\n");
        open_path(*app, file);
    }
    struct Case {
        int width;
        bool cut; // some caption had to be shortened
    };
    for (const Case& c : {Case{1800, false}, Case{420, true}, Case{1800, false}}) {
        SCOPED_TRACE(c.width);
        app->window->resize(c.width, 500);
        process_events();
        const QWidget* area = app->tab_bar->parentWidget();
        EXPECT_EQ(app->tab_bar->width(), area->width() - 15);
        const QImage image = app->tab_bar->grab().toImage();
        EXPECT_EQ(image.width(), app->tab_bar->width());
        bool any_cut = false;
        for (const TabItem& item : bar().items) any_cut |= item.shown_text != item.text;
        EXPECT_EQ(any_cut, c.cut);
        // The active (last) tab and the "+" lie inside the bar and are drawn there.
        const TabItem& active = bar().items[bar().selected];
        EXPECT_EQ(bar().selected, 6);
        EXPECT_TRUE(active.visible);
        EXPECT_GE(active.x, 0);
        EXPECT_LE(active.x + active.width, bar().width);
        EXPECT_TRUE(shows_ink(image, active.rect));
        EXPECT_LE(bar().plus.x + bar().plus.width, bar().width);
        EXPECT_TRUE(shows_ink(image, bar().plus.rect));
        save_screenshot(app->tab_bar, "tabbar_resized_" + std::to_string(c.width));
    }
}
