// Find/Replace through the find bar: keys, options, notes, Replace All as one undo step, marks.
#include "app/app.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "find/find_bar.h"
#include "find/find_state.h"
#include "support/app_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FindTest : public AppFixture {
  protected:
    void SetUp() override {
        start_with_intro("");
        app->settings.confirm_before_exit = 0;
    }
    void open_text(const std::string& bytes) {
        std::string file = path("prog.bas");
        write_file(file, bytes);
        open_files(*app, file);
    }
    FindBar& bar() { return *app->find->bar; }
    void set_find(const std::string& text) {
        bar().find_box->setCurrentText(QString::fromStdString(text));
    }
    std::string note() { return bar().note->text().toStdString(); }
    std::string selection() {
        return sci_text_range(app->editor, sci_send(app->editor, Sci::SCI_GETSELECTIONSTART),
                              sci_send(app->editor, Sci::SCI_GETSELECTIONEND));
    }
    long selection_start() { return sci_send(app->editor, Sci::SCI_GETSELECTIONSTART); }
    std::string text() { return get_editor_text(app->editor); }
    void press_in_find(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(bar().find_box->lineEdit(), key, modifiers);
    }
};

} // namespace

TEST_F(FindTest, CtrlFTakesTheWordAndEnterWalksThroughTheMatches) {
    open_text("total = 0\r\nFOR i = 1 TO 3\r\n  total = total + i\r\nNEXT\r\n");
    sci_send(app->editor, Sci::SCI_GOTOPOS, 2); // inside "total"
    QTest::keyClick(app->window.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(app->find->bar && bar().isVisible());
    EXPECT_EQ(bar().find_text(), "total");
    EXPECT_FALSE(bar().replace_box->isVisible());
    EXPECT_TRUE(bar().find_box->lineEdit()->hasFocus());

    press_in_find(Qt::Key_Return);
    EXPECT_EQ(selection_start(), 29);
    press_in_find(Qt::Key_Return);
    EXPECT_EQ(selection_start(), 37);
    press_in_find(Qt::Key_Return);
    EXPECT_EQ(selection_start(), 0);
    EXPECT_EQ(note(), "Passed the end; continued from the start");
    press_in_find(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(selection_start(), 37);
    QTest::keyClick(app->window.get(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(selection_start(), 29);

    // Typing the start of a remembered text does not complete it; Return finds what was typed.
    bar().find_box->lineEdit()->clear();
    QTest::keyClicks(bar().find_box->lineEdit(), QStringLiteral("to"));
    EXPECT_EQ(bar().find_text(), "to");
    EXPECT_EQ(bar().find_box->lineEdit()->selectedText(), QString());
    press_in_find(Qt::Key_Return);
    EXPECT_EQ(selection(), "to");

    set_find("missing");
    press_in_find(Qt::Key_Return);
    EXPECT_EQ(note(), "Not found: missing");
    EXPECT_TRUE(requesters->shown.empty()); // said in the bar, never in a box

    press_in_find(Qt::Key_Escape);
    EXPECT_FALSE(bar().isVisible());
    // F3 with the bar closed looks for the last text again.
    set_find("NEXT");
    QTest::keyClick(app->window.get(), Qt::Key_F3);
    EXPECT_EQ(selection(), "NEXT");
}

TEST_F(FindTest, ReplaceAllIsOneUndoStepAndSaysHowMany) {
    open_text("GOTO 10\r\nGOSUB 20\r\nPRINT \"GOTO\"\r\n");
    run_command(*app, menu_id::replace_key);
    EXPECT_TRUE(bar().replace_box->isVisible());
    bar().regular_expression->setChecked(true);
    bar().match_case->setChecked(true);
    set_find(R"((GO\w+) (\d+))");
    bar().replace_box->setCurrentText(QStringLiteral("$1 L$2"));
    QTest::mouseClick(bar().replace_all_button, Qt::LeftButton);
    EXPECT_EQ(text(), "GOTO L10\r\nGOSUB L20\r\nPRINT \"GOTO\"\r\n");
    EXPECT_EQ(note(), "Replaced 2 matches");
    sci_send(app->editor, Sci::SCI_UNDO);
    EXPECT_EQ(text(), "GOTO 10\r\nGOSUB 20\r\nPRINT \"GOTO\"\r\n");
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_CANUNDO), 0);

    set_find("(unclosed");
    QTest::mouseClick(bar().replace_all_button, Qt::LeftButton);
    EXPECT_NE(note().find("Invalid regular expression"), std::string::npos);
    EXPECT_EQ(text(), "GOTO 10\r\nGOSUB 20\r\nPRINT \"GOTO\"\r\n");

    // An empty match replaces each position once; the empty end after the last line end is
    // no line of its own.
    set_find("^");
    bar().replace_box->setCurrentText(QStringLiteral("' "));
    QTest::mouseClick(bar().replace_all_button, Qt::LeftButton);
    EXPECT_EQ(text(), "' GOTO 10\r\n' GOSUB 20\r\n' PRINT \"GOTO\"\r\n");
}

TEST_F(FindTest, ReplaceChangesTheFoundMatchThenMovesOnAndInSelectionKeepsToIt) {
    open_text("a a a\r\nb a b\r\na\r\n");
    run_command(*app, menu_id::find_replace);
    set_find("a");
    bar().whole_word->setChecked(true);
    bar().replace_box->setCurrentText(QStringLiteral("X"));
    press_in_find(Qt::Key_Return);
    QTest::mouseClick(bar().replace_button, Qt::LeftButton);
    EXPECT_EQ(text().substr(0, 5), "X a a");
    EXPECT_EQ(selection_start(), 2);          // on the next match
    EXPECT_EQ(bar().replace_box->count(), 1); // remembered once

    // "In selection": only the second line.
    sci_send(app->editor, Sci::SCI_SETSEL, 7, 12);
    bar().in_selection->setChecked(false);
    bar().in_selection->setChecked(true);
    QTest::mouseClick(bar().replace_all_button, Qt::LeftButton);
    EXPECT_EQ(text(), "X a a\r\nb X b\r\na\r\n");
    EXPECT_EQ(note(), "Replaced 1 match");
}

TEST_F(FindTest, MatchesInViewAreMarkedWhileTheBarIsOpen) {
    open_text("PRINT 1\r\nPRINT 2\r\nREM print\r\n");
    run_command(*app, menu_id::find_key);
    set_find("print");
    process_events();
    auto marked = [&](long position) {
        return sci_send(app->editor, Sci::SCI_INDICATORVALUEAT, 8, position) != 0;
    };
    EXPECT_TRUE(marked(0));
    EXPECT_TRUE(marked(9));
    EXPECT_TRUE(marked(22));
    EXPECT_FALSE(marked(6));
    save_screenshot(app->window.get(), "find_bar");
    run_command(*app, menu_id::find_key);
    press_in_find(Qt::Key_Escape);
    EXPECT_FALSE(marked(0));
}
