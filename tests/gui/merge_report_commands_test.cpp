// Merge and the variable report as commands: the new documents they make, the boxes when Merge
// cannot, and going from a line number in the report to the program.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "tools/merge_report_commands.h"

#include <QDir>
#include <QFileInfo>

namespace {

class MergeReportCommandsTest : public AppFixture {
  protected:
    void SetUp() override {
        QDir().mkpath(QString::fromStdString(data_folder()));
        write_file(data_folder() + "Zellcmndlist.dat", "PRINT SUB END ");
        start();
    }
    void open(const std::string& name, const std::string& bytes) {
        std::string file = path(name);
        write_file(file, bytes);
        open_files(*app, file);
    }
    std::string text() const { return sci_text(app->editor); }
    const Document& current() const { return app->documents.documents[app->documents.current]; }
};

TEST_F(MergeReportCommandsTest, MergeMakesAnUnsavedDocumentAndLeavesTheProgram) {
    write_file(path("lib.inc"), "SUB hello\r\n  PRINT \"hi\"\r\nEND SUB\r\n");
    const std::string program = "#INCLUDE \"lib.inc\"\r\nhello\r\n";
    open("main.bas", program);
    const int before = app->documents.count();
    run_command(*app, menu_id::merge);
    ASSERT_EQ(app->documents.count(), before + 1);
    EXPECT_EQ(current().file_name, "main-merged.bas");
    EXPECT_EQ(text(), "' ==== start of lib.inc ====\r\nSUB hello\r\n  PRINT \"hi\"\r\nEND SUB\r\n"
                      "' ==== end of lib.inc ====\r\nhello\r\n");
    EXPECT_TRUE(sci_send(app->editor, Sci::SCI_GETMODIFY));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path("main-merged.bas"))));
    EXPECT_EQ(read_file(path("main.bas")), program);
    EXPECT_TRUE(requesters->shown.empty());
}

TEST_F(MergeReportCommandsTest, AnExistingMergedFileIsNotTakenAndAMissingIncludeIsTold) {
    write_file(path("lib.inc"), "x = 1\n");
    write_file(path("main-merged.bas"), "keep me");
    open("main.bas", "#INCLUDE \"lib.inc\"\n");
    run_command(*app, menu_id::merge);
    EXPECT_EQ(current().file_name, "main-merged-2.bas");

    open("other.bas", "PRINT 1\n#INCLUDE \"gone.inc\"\n");
    const int before = app->documents.count();
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::merge);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_NE(requesters->shown[0].text.find("other.bas, line 2"), std::string::npos);
    EXPECT_NE(requesters->shown[0].text.find("gone.inc"), std::string::npos);
    EXPECT_EQ(app->documents.count(), before);
    EXPECT_EQ(read_file(path("main-merged.bas")), "keep me");
}

TEST_F(MergeReportCommandsTest, ReportIsReadOnlyAndItsLineNumbersLeadBack) {
    open("prog.bas", "count = 1\nPRINT count\nPRINT never\n");
    const int program = app->documents.current;
    run_command(*app, menu_id::variable_report);
    ASSERT_NE(app->documents.current, program);
    EXPECT_EQ(current().file_name, "prog-variables.txt");
    const std::string report = text();
    EXPECT_NE(report.find("count"), std::string::npos);
    EXPECT_NE(report.find("never is used but never set"), std::string::npos);
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
    sci_add_text(app->editor, "typed");
    run_command(*app, menu_id::remove_comments);
    EXPECT_EQ(text(), report);
    EXPECT_FALSE(is_command_enabled(*app, menu_id::add_line_numbers));

    // "3: never is used ..." — its 3 leads to line 3 of the program.
    const long at = static_cast<long>(report.find("3: never"));
    report_double_clicked(*app, at);
    EXPECT_EQ(app->documents.current, program);
    EXPECT_EQ(sci_caret_line(app->editor), 2);
    // A double click in a program does nothing.
    report_double_clicked(*app, 0);
    EXPECT_EQ(app->documents.current, program);
}

} // namespace
