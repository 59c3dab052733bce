// The line number, blank line and comment commands: the text put back in one undo step, the
// requester for the numbering, the boxes for what cannot be done, the caret and the names.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QDir>

namespace {

class ProgramToolCommandsTest : public AppFixture {
  protected:
    void SetUp() override {
        QDir().mkpath(QString::fromStdString(data_folder()));
        write_file(data_folder() + "Zellcmndlist.dat", "PRINT GOTO GOSUB SUB END ");
        start();
    }
    void open(const std::string& bytes) {
        std::string file = path("prog.bas");
        write_file(file, bytes);
        open_files(*app, file);
    }
    std::string text() const { return sci_text(app->editor); }
    // Runs `id`, then one Undo must give back `program` exactly.
    void expect_one_undo_restores(const std::string& program) {
        EXPECT_TRUE(sci_send(app->editor, Sci::SCI_GETMODIFY));
        sci_send(app->editor, Sci::SCI_UNDO);
        EXPECT_EQ(text(), program);
    }
};

const std::string listing = "10 PRINT \"Hello\"\r\n20 GOSUB 100\r\n30 GOTO 10\r\n"
                            "100 PRINT \"sub\": RETURN\r\n";

TEST_F(ProgramToolCommandsTest, RemoveNumbersMakesLabelsAndTheirNames) {
    open(listing);
    run_command(*app, menu_id::remove_line_numbers);
    EXPECT_EQ(text(), "L10: PRINT \"Hello\"\r\nGOSUB L100\r\nGOTO L10\r\n"
                      "L100: PRINT \"sub\": RETURN\r\n");
    EXPECT_NE(app->documents.current_names.find("L100 "), std::string::npos);
    EXPECT_TRUE(requesters->shown.empty());
    expect_one_undo_restores(listing);
}

TEST_F(ProgramToolCommandsTest, AddNumbersAsksAndRenumbers) {
    open(listing);
    requesters->inputs.push_back("100,5");
    run_command(*app, menu_id::add_line_numbers);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].kind, "input");
    EXPECT_EQ(text(), "100 PRINT \"Hello\"\r\n105 GOSUB 115\r\n110 GOTO 100\r\n"
                      "115 PRINT \"sub\": RETURN\r\n");
    expect_one_undo_restores(listing);
}

TEST_F(ProgramToolCommandsTest, AddNumbersCancelledBadOrPastTheLimitChangesNothing) {
    open(listing);
    requesters->inputs.push_back(std::nullopt);
    requesters->inputs.push_back("ten,10");
    requesters->answers.push_back(Answer::Ok);
    requesters->inputs.push_back("64990,5");
    requesters->answers.push_back(Answer::Ok);
    for (int i = 0; i < 3; ++i) run_command(*app, menu_id::add_line_numbers);
    ASSERT_EQ(requesters->shown.size(), 5u);
    EXPECT_EQ(requesters->shown[2].kind, "message");
    EXPECT_NE(requesters->shown[4].text.find("65000"), std::string::npos);
    EXPECT_NE(requesters->shown[4].text.find("prog.bas"), std::string::npos);
    EXPECT_EQ(text(), listing);
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
}

TEST_F(ProgramToolCommandsTest, MissingTargetsAreReportedAfterTheChange) {
    const std::string program = "10 GOTO 99\n20 END\n";
    open(program);
    requesters->inputs.push_back("10,10");
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::add_line_numbers);
    ASSERT_EQ(requesters->shown.size(), 2u);
    EXPECT_NE(requesters->shown[1].text.find("prog.bas, line 1"), std::string::npos);
    EXPECT_EQ(text(), "10 GOTO 99\n20 END\n");
}

TEST_F(ProgramToolCommandsTest, RemoveBlankLinesAndCommentsKeepTheCaretWithItsLine) {
    const std::string program = "' title\r\n\r\nPRINT \"it's\" ' say it\r\n\r\n"
                                "x = 1 : REM set\r\nREMAINDER = 2\r\n";
    open(program);
    sci_send(app->editor, Sci::SCI_GOTOPOS,
             static_cast<unsigned long>(sci_position_from_line(app->editor, 5) + 2));
    run_command(*app, menu_id::remove_blank_lines);
    EXPECT_EQ(text(), "' title\r\nPRINT \"it's\" ' say it\r\nx = 1 : REM set\r\nREMAINDER = 2\r\n");
    EXPECT_EQ(sci_caret_line(app->editor), 3);
    expect_one_undo_restores(program);

    sci_send(app->editor, Sci::SCI_GOTOPOS,
             static_cast<unsigned long>(sci_position_from_line(app->editor, 5)));
    run_command(*app, menu_id::remove_comments);
    EXPECT_EQ(text(), "PRINT \"it's\"\r\nx = 1 :\r\nREMAINDER = 2\r\n");
    EXPECT_EQ(sci_caret_line(app->editor), 2);
    expect_one_undo_restores(program);
}

} // namespace
