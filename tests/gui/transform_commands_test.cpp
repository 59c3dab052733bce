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
    EXPECT_EQ(text(),
              "SUB main\n  for i = 1 to 3\n    print i\n  next i\nEND SUB\n   10  print i\n");
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
    EXPECT_EQ(text(), "START:\n    FOR i=1 TO 2\n        x\n    NEXT\n    lower:\n");
}

TEST_F(TransformCommandsTest, RemoveIndentsKeepsTabsAndEndsLinesWithLineFeeds) {
    open("  FOR i=1 TO 2  \r\n\tx = 1 \r\n    NEXT");
    run_command(*app, menu_id::remove_indents);
    EXPECT_EQ(text(), "FOR i=1 TO 2\n\tx = 1\nNEXT\n");
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
    EXPECT_EQ(text(), "PRINT \"\xC3\xA9?\"\n");
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
