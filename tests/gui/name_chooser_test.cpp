// Find Sub/Function: the chooser lists the document's names, filters as the user types and
// jumps like the label list does.
#include "app/app.h"
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "find/name_chooser.h"
#include "support/app_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

class NameChooserTest : public AppFixture {
  protected:
    void SetUp() override {
        start_with_intro("");
        app->settings.confirm_before_exit = 0;
        std::string file = path("prog.bas");
        write_file(file, "main:\r\nDrawAll\r\nEND\r\nSUB DrawAll\r\n  Box 1\r\nEND SUB\r\n"
                         "SUB Box(n)\r\nEND SUB\r\nFUNCTION Radius!(r)\r\nEND FUNCTION\r\n");
        open_files(*app, file);
    }
    std::vector<std::string> shown() {
        std::vector<std::string> items;
        for (int i = 0; i < app->name_chooser->list->count(); ++i)
            items.push_back(app->name_chooser->list->item(i)->text().toStdString());
        return items;
    }
};

} // namespace

TEST_F(NameChooserTest, TypingFiltersAndEnterJumpsWithTheBackLineSet) {
    sci_send(app->editor, Sci::SCI_GOTOLINE, 1);
    run_command(*app, menu_id::find_name);
    ASSERT_TRUE(app->name_chooser && app->name_chooser->isVisible());
    EXPECT_EQ(shown(), (std::vector<std::string>{"main   (line 1)", "DrawAll   (line 4)",
                                                 "Box   (line 7)", "Radius!   (line 9)"}));
    QTest::keyClicks(app->name_chooser->filter, "ra");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Radius!   (line 9)", "DrawAll   (line 4)"}));
    QTest::keyClick(app->name_chooser->filter, Qt::Key_Down);
    QTest::keyClick(app->name_chooser->filter, Qt::Key_Return);
    EXPECT_FALSE(app->name_chooser->isVisible());
    EXPECT_EQ(sci_caret_line(app->editor), 3);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 1);
}

TEST_F(NameChooserTest, AClickJumpsAndEscapeClosesWithoutMoving) {
    run_command(*app, menu_id::find_name);
    QListWidget* list = app->name_chooser->list;
    QRect box = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(sci_caret_line(app->editor), 6);
    save_screenshot(app->name_chooser, "name_chooser");

    run_command(*app, menu_id::find_name);
    QTest::keyClick(app->name_chooser->filter, Qt::Key_Escape);
    EXPECT_FALSE(app->name_chooser->isVisible());
    EXPECT_EQ(sci_caret_line(app->editor), 6);
}
