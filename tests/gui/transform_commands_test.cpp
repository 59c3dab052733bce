// Format and Remove indents as commands: the editor text, the names, the settings and Undo.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QDir>

namespace {

class TransformCommandsTest : public AppFixture {
  protected:
    void SetUp() override {
        QDir().mkpath(QString::fromStdString(data_folder()));
        write_file(data_folder() + "Zellcmndlist.dat", "PRINT FOR NEXT SUB END ");
        start();
    }
    void open(const std::string& bytes) {
        std::string file = path("prog.bas");
        write_file(file, bytes);
        open_files(*app, file);
    }
    std::string text() const { return sci_text(app->editor); }
};

} // namespace

TEST_F(TransformCommandsTest, FormatReindentsAndOneUndoRestoresTheProgram) {
    const std::string program = "SUB main\r\nfor i = 1 to 3\r\nprint i\r\nnext i\r\nEND SUB\r\n"
                                "10 print i";
    open(program);
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "SUB main\r\n  for i = 1 to 3\r\n    print i\r\n  next i\r\nEND SUB\r\n"
                      "   10  print i\r\n");
    EXPECT_TRUE(sci_send(app->editor, Sci::SCI_GETMODIFY));
    sci_send(app->editor, Sci::SCI_UNDO);
    EXPECT_EQ(text(), program);
}

TEST_F(TransformCommandsTest, FormatUsesTheCurrentNamesAndTheIndentSettings) {
    // The names are kept as written: "START" is found in capitals, "lower" is not.
    open("START:\r\nFOR i=1 TO 2\r\nx\r\nNEXT\r\nlower:\r\n");
    app->settings.options.indent_labels = 1;
    app->settings.options.tab_size = 4;
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "START:\r\n    FOR i=1 TO 2\r\n        x\r\n    NEXT\r\n    lower:\r\n");
}

TEST_F(TransformCommandsTest, RemoveIndentsKeepsTabsAndTheDocumentsLineEnds) {
    open("  FOR i=1 TO 2  \r\n\tx = 1 \r\n    NEXT");
    run_command(*app, menu_id::remove_indents);
    EXPECT_EQ(text(), "FOR i=1 TO 2\r\n\tx = 1\r\nNEXT\r\n");
    sci_send(app->editor, Sci::SCI_UNDO);
    EXPECT_EQ(text(), "  FOR i=1 TO 2  \r\n\tx = 1 \r\n    NEXT");
}

TEST_F(TransformCommandsTest, EmptyDocumentStaysEmptyAndWideCharactersBecomeQuestionMarks) {
    open("");
    run_command(*app, menu_id::format);
    run_command(*app, menu_id::remove_indents);
    EXPECT_EQ(text(), "");
    sci_set_text(app->editor, "PRINT \"\xC3\xA9\xE2\x82\xAC\"");
    run_command(*app, menu_id::remove_indents);
    EXPECT_EQ(text(), "PRINT \"\xC3\xA9?\"\r\n");
}

TEST_F(TransformCommandsTest, AnLfProgramStaysLf) {
    open("FOR i=1 TO 2\nx\nNEXT\n");
    run_command(*app, menu_id::format);
    EXPECT_EQ(text(), "  FOR i=1 TO 2\n    x\n  NEXT\n");
}

TEST_F(TransformCommandsTest, FormatKeepsTheCaretOnItsLineAndTheViewWhereItWas) {
    std::string program;
    for (int i = 0; i < 300; ++i) program += "FOR i=1 TO 2\r\nPRINT i\r\nNEXT\r\n";
    open(program);
    const long line = 199; // "PRINT i", two levels in after Format
    sci_send(app->editor, Sci::SCI_SETFIRSTVISIBLELINE, 180);
    sci_send(app->editor, Sci::SCI_GOTOPOS,
             static_cast<unsigned long>(sci_position_from_line(app->editor, line) + 3));
    const long first_visible = sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE);
    run_command(*app, menu_id::format);
    EXPECT_EQ(sci_caret_line(app->editor), line);
    // Still after "PRI", now behind the new indentation.
    EXPECT_EQ(sci_current_pos(app->editor), sci_position_from_line(app->editor, line) + 4 + 3);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE), first_visible);
}

TEST_F(TransformCommandsTest, FormatRefusesAResultTooLargeForMemory) {
    const std::string nested = "FOR i=1 TO 2\r\nx\r\n";
    open(nested);
    app->settings.options.tab_size = 300000000; // a damaged settings value
    run_command(*app, menu_id::format);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "Format");
    EXPECT_EQ(text(), nested);
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
}
