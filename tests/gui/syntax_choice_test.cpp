// The View menu's "Maximite Syntax" / "Alternate Syntax" pair: kept in the settings, switching
// colouring, folding and Format at once; Format's caret after Undo; the Preferences indent
// width; the variable report shown as plain text.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "base/settings_file.h"
#include "documents/opening.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "tools/preferences_window.h"

#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

class SyntaxChoiceTest : public AppFixture {
  protected:
    void SetUp() override {
        QDir().mkpath(QString::fromStdString(data_folder()));
        write_file(data_folder() + "Zellcmndlist.dat", "PRINT FOR TO NEXT IF THEN END SUB REM ");
        start();
        app->settings.confirm_before_exit = 0;
    }
    void open(const std::string& bytes) {
        const std::string file = path("prog.bas");
        write_file(file, bytes);
        open_files(*app, file);
    }
    int style_at(long position) { return sci_style_at(app->editor, position); }
    std::string text() const { return sci_text(app->editor); }
};

} // namespace

TEST_F(SyntaxChoiceTest, NewUsersReadByTheMaximiteSyntaxAndTheChoiceSwitchesAtOnce) {
    EXPECT_EQ(app->settings.maximite_syntax, 1);
    EXPECT_TRUE(is_command_checked(*app, menu_id::maximite_syntax));
    EXPECT_FALSE(is_command_checked(*app, menu_id::alternate_syntax));
    open("x=1:Print x\r\nREM note\r\nIf a Then\r\nx=1\r\nEnd If\r\n");
    const long print = 4, rem = 13;

    EXPECT_EQ(style_at(print), style::keyword);
    EXPECT_EQ(style_at(rem), style::comment);

    run_command(*app, menu_id::alternate_syntax);
    EXPECT_EQ(app->settings.maximite_syntax, 0);
    EXPECT_TRUE(is_command_checked(*app, menu_id::alternate_syntax));
    EXPECT_EQ(style_at(print), style::default_text);
    EXPECT_EQ(style_at(rem), style::keyword);
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "  x=1:Print x\r\n  REM note\r\n  If a Then\r\n    x=1\r\nEnd If\r\n");

    run_command(*app, menu_id::maximite_syntax);
    EXPECT_EQ(style_at(print + 2), style::keyword); // behind the indentation Format gave
    EXPECT_EQ(style_at(rem + 4), style::comment);
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "  x=1:Print x\r\n  REM note\r\n  If a Then\r\n    x=1\r\n  End If\r\n");
}

TEST_F(SyntaxChoiceTest, TheChoiceIsKeptInTheSettingsFile) {
    Settings settings;
    EXPECT_EQ(settings.maximite_syntax, 1);
    settings.maximite_syntax = 0;
    const std::string text = settings_file_text(settings);
    // In the last group, so older settings files simply lack it.
    const std::size_t key = text.find("MaximiteSyntax = 0");
    ASSERT_NE(key, std::string::npos);
    EXPECT_EQ(text.find('[', key), std::string::npos);
    Settings read;
    read_settings(text, read);
    EXPECT_EQ(read.maximite_syntax, 0);
    read_settings("[Device]\nMaximiteSyntax=7\n", read);
    EXPECT_EQ(read.maximite_syntax, 1);
}

TEST_F(SyntaxChoiceTest, UndoOfFormatAndRemoveIndentsKeepsTheCaretAndTheView) {
    std::string program;
    for (int i = 0; i < 300; ++i) program += "FOR i=1 TO 2\r\nPRINT i\r\nNEXT\r\n";
    open(program);
    const long line = 199;
    for (int command : {menu_id::format, menu_id::remove_indents}) {
        sci_send(app->editor, Sci::SCI_SETFIRSTVISIBLELINE, 180);
        const long caret = sci_position_from_line(app->editor, line) + 3;
        sci_send(app->editor, Sci::SCI_GOTOPOS, static_cast<unsigned long>(caret));
        const long first_visible = sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE);
        const std::string before = text();
        run_command(*app, command);
        const long caret_after = sci_current_pos(app->editor);
        sci_send(app->editor, Sci::SCI_UNDO);
        EXPECT_EQ(text(), before);
        EXPECT_EQ(sci_current_pos(app->editor), caret);
        EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE), first_visible);
        sci_send(app->editor, Sci::SCI_REDO);
        EXPECT_EQ(sci_current_pos(app->editor), caret_after);
        EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE), first_visible);
        sci_send(app->editor, Sci::SCI_UNDO);
    }
}

TEST_F(SyntaxChoiceTest, PreferencesSetTheIndentWidthOfFormat) {
    open("FOR i=1 TO 2\r\nPRINT i\r\nNEXT\r\n");
    run_command(*app, menu_id::preferences);
    PreferencesWindow* window = app->preferences;
    window->tab_size->setValue(4);
    EXPECT_EQ(app->settings.options.tab_size, 2); // only Save commits it
    QTest::mouseClick(window->save_options_button, Qt::LeftButton);
    EXPECT_EQ(app->settings.options.tab_size, 4);
    window->close();
    process_events();
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "    FOR i=1 TO 2\r\n        PRINT i\r\n    NEXT\r\n");
}

TEST_F(SyntaxChoiceTest, TheVariableReportIsPlainText) {
    open("Sub main\r\nFOR i=1 TO 2\r\nPRINT i\r\nNEXT\r\nEnd Sub\r\n");
    run_command(*app, menu_id::variable_report);
    const SciPos length = sci_length(app->editor);
    ASSERT_GT(length, 0);
    for (SciPos p = 0; p < length; ++p) ASSERT_EQ(style_at(p), style::default_text) << p;
    for (SciLine line = 0; line < sci_line_count(app->editor); ++line)
        ASSERT_EQ(sci_fold_level(app->editor, line) & fold_header_flag, 0) << line;
    // A recolouring of the whole text keeps it plain.
    run_command(*app, menu_id::alternate_syntax);
    for (SciPos p = 0; p < length; ++p) ASSERT_EQ(style_at(p), style::default_text) << p;
}
