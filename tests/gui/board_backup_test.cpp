// Backing up the board: names differing only in letter case are kept apart, and a cancelled
// backup names every file it did not copy.
#include "support/board_files_fixture.h"

#include <QFile>

#include <algorithm>
#include <set>

TEST_F(BoardFilesTest, BackUpKeepsNamesThatDifferOnlyInCaseApart) {
    connect_board({}, [](BoardModel& board) {
        board.files()["Snake.bas"] = "PRINT 1\r\n";
        board.files()["snake.bas"] = "PRINT 2\r\n";
    });
    requesters->files.push_back(path("backup"));
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::back_up_board);
    ASSERT_TRUE(wait_until(
        [&] { return idle() && requesters->shown.back().text.starts_with("Copied"); }, 30000));
    const std::string summary = requesters->shown.back().text;
    EXPECT_NE(summary.find("Copied 2 file(s)"), std::string::npos) << summary;
    EXPECT_NE(summary.find("differs only in letter case"), std::string::npos) << summary;
    // Which of the two keeps its name follows the listing's order; both are there.
    std::set<std::string> texts;
    for (const char* name : {"backup/A/Snake.bas", "backup/A/snake.bas", "backup/A/snake (2).bas",
                             "backup/A/Snake (2).bas"})
        if (QFile::exists(QString::fromStdString(path(name)))) texts.insert(read_file(path(name)));
    EXPECT_EQ(texts, (std::set<std::string>{"PRINT 1\r\n", "PRINT 2\r\n"}));
}

TEST_F(BoardFilesTest, ACancelledBackUpNamesEveryFileNotCopied) {
    connect_board({}, [](BoardModel& board) {
        for (const char* name : {"a.bas", "b.bas", "c.bas", "d.bas"})
            board.files()[name] = std::string(20000, 'x');
    });
    host->on_received = [this](std::size_t) {
        if (host->received().find("XMODEM SEND \"A:/b.bas\"") != std::string::npos && !idle())
            files().cancel();
    };
    requesters->files.push_back(path("backup"));
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::back_up_board);
    ASSERT_TRUE(wait_until(
        [&] { return idle() && requesters->shown.back().text.starts_with("Copied"); }, 30000));
    host->on_received = nullptr;
    const std::string summary = requesters->shown.back().text;
    EXPECT_NE(summary.find("Copied 1 file(s)"), std::string::npos) << summary;
    for (const char* name : {"A:/b.bas", "A:/c.bas", "A:/d.bas"})
        EXPECT_NE(summary.find(name), std::string::npos) << name << "\n" << summary;
    EXPECT_EQ(host->board().drives().current(), 'A');
}
