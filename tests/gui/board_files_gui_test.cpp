// The Board files panel against the simulated board over a pseudo-terminal: listing, folders,
// upload, download, delete, rename, new folder, the board's refusals, its identity, and
// fetching its program.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_files_panel.h"
#include "device/connect_dialog.h"
#include "device/device_session.h"
#include "documents/document_commands.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "support/board_files_fixture.h"

#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <algorithm>

TEST_F(BoardFilesTest, PanelListsBrowsesAndChangesTheBoardsFiles) {
    BoardConfig config;
    config.card = true;
    connect_board(config);
    BoardModel& board = host->board();
    board.files()["snake.bas"] = "PRINT \"snake\"\r\n";
    board.files()["games/tetris.bas"] = "PRINT \"tetris\"\r\n";
    board.drives().drive('A').folders.insert("games");

    run_command(*app, menu_id::board_files);
    ASSERT_NE(files().panel(), nullptr);
    EXPECT_TRUE(files().panel_visible());
    ASSERT_TRUE(listed({"games/", "snake.bas"}));
    auto* identity = app->window->statusBar()->findChild<QLabel*>("board_identity");
    ASSERT_NE(identity, nullptr);
    EXPECT_TRUE(identity->text().startsWith("PicoMite 6.03")) << identity->text().toStdString();
    // The board's field joins the bar without covering the others.
    for (QLabel* field : app->status_line.fields)
        EXPECT_FALSE(field->geometry().intersects(identity->geometry()));
    EXPECT_FALSE(
        app->status_line.fields[2]->geometry().intersects(app->status_line.fields[3]->geometry()));
    auto* status = files().panel()->findChild<QLabel*>("board_files_status");
    EXPECT_TRUE(status->text().contains("bytes free"));

    // Into a folder and back.
    double_click("games/");
    ASSERT_TRUE(listed({"..", "tetris.bas"}));
    double_click("..");
    ASSERT_TRUE(listed({"games/", "snake.bas"}));

    // Upload a file with a blank in its name; download it back elsewhere.
    std::string up = path("my prog.bas");
    write_file(up, "PRINT \"mine\"\r\n");
    requesters->files.push_back(up);
    click("board_upload");
    ASSERT_TRUE(listed({"games/", "my prog.bas", "snake.bas"}));
    EXPECT_EQ(board.files()["my prog.bas"].substr(0, 14), "PRINT \"mine\"\r\n");
    select("my prog.bas");
    QDir().mkpath(QString::fromStdString(path("down")));
    // One file keeps the name typed in the requester.
    requesters->files.push_back(path("down/kept.bas"));
    click("board_download");
    ASSERT_TRUE(wait_until(
        [&] { return idle() && QFile::exists(QString::fromStdString(path("down/kept.bas"))); }));
    EXPECT_EQ(read_file(path("down/kept.bas")), "PRINT \"mine\"\r\n");

    // Rename, and a refusal in the board's words.
    select("my prog.bas");
    requesters->inputs.push_back(std::string("snake.bas"));
    requesters->answers.push_back(Answer::Ok);
    click("board_rename");
    ASSERT_TRUE(wait_until([&] { return idle() && requesters->shown.back().kind == "message"; }));
    EXPECT_NE(requesters->shown.back().text.find("Entry already exists"), std::string::npos);
    select("my prog.bas");
    requesters->inputs.push_back(std::string("mine.bas"));
    click("board_rename");
    ASSERT_TRUE(listed({"games/", "mine.bas", "snake.bas"}));

    // Delete asks first, naming the files.
    select("mine.bas");
    requesters->answers.push_back(Answer::Yes);
    click("board_delete");
    ASSERT_TRUE(listed({"games/", "snake.bas"}));
    EXPECT_NE(requesters->shown.back().text.find("mine.bas"), std::string::npos);
    EXPECT_FALSE(board.files().count("mine.bas"));

    // New folder, then the SD card.
    requesters->inputs.push_back(std::string("new stuff"));
    click("board_new_folder");
    ASSERT_TRUE(listed({"games/", "new stuff/", "snake.bas"}));
    board.drives().drive('B').files["card.txt"] = "on the card";
    files().switch_drive('B');
    ASSERT_TRUE(listed({"card.txt"}));
    EXPECT_FALSE(status->text().contains("bytes free"));

    // Back on A:, a whole folder goes up, its folders made first.
    files().switch_drive('A');
    ASSERT_TRUE(listed({"games/", "new stuff/", "snake.bas"}));
    QDir().mkpath(QString::fromStdString(path("proj/lib")));
    write_file(path("proj/main.bas"), "PRINT 3\r\n");
    write_file(path("proj/lib/x.inc"), "SUB X\r\nEND SUB\r\n");
    files().upload({path("proj")});
    ASSERT_TRUE(listed({"games/", "new stuff/", "proj/", "snake.bas"}));
    EXPECT_TRUE(board.drives().drive('A').folders.count("proj/lib"));
    EXPECT_EQ(board.files()["proj/lib/x.inc"].substr(0, 16), "SUB X\r\nEND SUB\r\n");
    EXPECT_TRUE(board.files().count("proj/main.bas"));
    // A folder or file already there, in any letter case, is replaced only when the user says so.
    write_file(path("proj/main.bas"), "PRINT 4\r\n");
    write_file(path("SNAKE.BAS"), "PRINT 5\r\n");
    for (const char* local : {"proj", "SNAKE.BAS"}) {
        requesters->answers.push_back(Answer::No);
        files().upload({path(local)});
        EXPECT_NE(requesters->shown.back().text.find("already on the board"), std::string::npos);
    }
    EXPECT_TRUE(idle());
    EXPECT_EQ(board.files()["proj/main.bas"].substr(0, 9), "PRINT 3\r\n");
    EXPECT_FALSE(board.files().count("SNAKE.BAS"));

    // A board file opens in a tab from a working copy in the data folder.
    double_click("snake.bas");
    ASSERT_TRUE(
        wait_until([&] { return idle() && sci_text(app->editor) == "PRINT \"snake\"\r\n"; }));
    const std::string working = app->documents.current_document()->path;
    EXPECT_NE(working.find("/boards/PicoMite/A/snake.bas"), std::string::npos);
    // Saved changes in the working copy are not replaced by the board's file unasked.
    remove_document(*app, app->documents.current);
    write_file(working, "PRINT \"changed here\"\r\n");
    requesters->answers.push_back(Answer::No);
    double_click("snake.bas");
    ASSERT_TRUE(wait_until(
        [&] { return idle() && sci_text(app->editor) == "PRINT \"changed here\"\r\n"; }));
    EXPECT_EQ(read_file(working), "PRINT \"changed here\"\r\n");

    // Typing at the console works again afterwards.
    EXPECT_FALSE(device_session(*app).link_job_running());
}

TEST_F(BoardFilesTest, WithoutABoardTheEmptyListSaysWhy) {
    start();
    run_command(*app, menu_id::board_files);
    ASSERT_NE(files().panel(), nullptr);
    auto* status = files().panel()->findChild<QLabel*>("board_files_status");
    EXPECT_TRUE(status->text().contains("Not connected"));
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    run_command(*app, menu_id::board_files);
    EXPECT_FALSE(files().panel_visible());
}

TEST_F(BoardFilesTest, TheBoardsProgramIsFetchedIntoANewDocument) {
    connect_board();
    host->board().set_program("PRINT \"from the board\"\r");
    std::size_t before = app->documents.documents.size();
    run_command(*app, menu_id::fetch_program);
    ASSERT_TRUE(
        wait_until([&] { return idle() && app->documents.documents.size() == before + 1; }));
    EXPECT_EQ(sci_text(app->editor), "PRINT \"from the board\"\r");
    EXPECT_NE(sci_send(app->editor, Sci::SCI_GETMODIFY), 0);
}

TEST_F(BoardFilesTest, BackUpCopiesBothDrivesAndTheOptionsAndPutsTheFolderBack) {
    BoardConfig config;
    config.card = true;
    connect_board(config);
    BoardModel& board = host->board();
    const std::string binary = std::string("\0\x1a\xff", 3) + std::string(197, 'b');
    board.files()["a.bas"] = "PRINT 1\r\n";
    board.files()["games/g.bas"] = "PRINT 2\r\n";
    board.drives().drive('A').folders.insert("games");
    board.drives().drive('A').cwd = "games";
    board.drives().drive('B').files["card.dat"] = binary;

    requesters->files.push_back(path("backup"));
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::back_up_board);
    ASSERT_TRUE(wait_until(
        [&] {
            return idle() && !requesters->shown.empty() &&
                   requesters->shown.back().text.starts_with("Copied");
        },
        30000));
    EXPECT_NE(requesters->shown.back().text.find("Copied 3 file(s)"), std::string::npos)
        << requesters->shown.back().text;
    EXPECT_EQ(read_file(path("backup/A/a.bas")), "PRINT 1\r\n");
    EXPECT_EQ(read_file(path("backup/A/games/g.bas")), "PRINT 2\r\n");
    EXPECT_EQ(read_file(path("backup/B/card.dat")), binary);
    EXPECT_NE(read_file(path("backup/options.txt")).find("OPTION COLOURCODE ON\n"),
              std::string::npos);
    EXPECT_EQ(board.drives().current(), 'A');
    EXPECT_EQ(board.drives().drive('A').cwd, "games");

    // Restoring puts the files back, folders made first.
    board.drives().drive('A') = BoardDrive{{}, {}, {}, "", 581632, true};
    board.drives().drive('B').files.clear();
    requesters->files.push_back(path("backup"));
    requesters->answers.push_back(Answer::Yes);
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::restore_board_files);
    ASSERT_TRUE(wait_until(
        [&] { return idle() && requesters->shown.back().text.starts_with("Put 3 file(s) onto"); },
        30000))
        << requesters->shown.back().text;
    EXPECT_TRUE(board.drives().drive('A').folders.count("games"));
    EXPECT_EQ(board.files()["games/g.bas"].substr(0, 9), "PRINT 2\r\n");
    EXPECT_EQ(board.drives().drive('B').files["card.dat"].substr(0, binary.size()), binary);
}

TEST_F(BoardFilesTest, TheBoardsClockIsSetFromTheComputers) {
    connect_board();
    run_command(*app, menu_id::set_board_clock);
    ASSERT_TRUE(wait_until([&] { return idle() && host->board().drives().date != "01-01-2024"; }));
    EXPECT_EQ(host->board().drives().date,
              QDate::currentDate().toString("dd-MM-yyyy").toStdString());
    EXPECT_EQ(host->board().drives().time.size(), 8u);
}

TEST_F(BoardFilesTest, TheScreenIsCapturedShownAndSavedAsPngAndTheBoardsCopyGoes) {
    connect_board();
    run_command(*app, menu_id::capture_board_screen);
    QDialog* window = nullptr;
    ASSERT_TRUE(wait_until([&] {
        window = app->window->findChild<QDialog*>("screen_capture");
        return idle() && window;
    }));
    EXPECT_TRUE(host->board().files().empty());
    requesters->files.push_back(path("screen.png"));
    window->findChild<QPushButton*>("capture_save")->click();
    QImage saved(QString::fromStdString(path("screen.png")));
    EXPECT_EQ(saved.size(), QSize(2, 2));
}

TEST_F(BoardFilesTest, ABoardThatVanishesMidDownloadLeavesNoFileAndSaysSo) {
    connect_board();
    host->board().files()["big.bin"] = std::string(300000, 'x');
    run_command(*app, menu_id::board_files);
    ASSERT_TRUE(listed({"big.bin"}));
    host->on_received = [this](std::size_t) {
        if (!host->vanished() && host->received().find("XMODEM SEND") != std::string::npos &&
            std::count(host->received().begin(), host->received().end(), '\x06') > 20)
            host->vanish();
    };
    select("big.bin");
    requesters->files.push_back(path("big.bin"));
    requesters->answers.push_back(Answer::Ok);
    click("board_download");
    ASSERT_TRUE(wait_until([&] {
        return idle() && !requesters->shown.empty() && requesters->shown.back().kind == "message";
    }));
    EXPECT_NE(requesters->shown.back().text.find("lost"), std::string::npos)
        << requesters->shown.back().text;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("big.bin"))));
    for (const QString& name : QDir(QString::fromStdString(path(""))).entryList(QDir::Files))
        EXPECT_FALSE(name.contains("big.bin")) << name.toStdString();
    auto* status = files().panel()->findChild<QLabel*>("board_files_status");
    EXPECT_TRUE(wait_until([&] { return status->text().contains("Not connected"); }));
}

TEST(PortDiscovery, PortsThatLookLikeBoardsAreMarkedAndComeFirst) {
    struct Case {
        PortEntry port;
        bool board;
    } cases[] = {
        {{"/dev/ttyACM0", "Board CDC", "", true, 0x2E8A}, true},
        {{"COM7", "Colour Maximite 2", "", true, 0x0483}, true},
        {{"/dev/ttyACM1", "PicoMite", "Geoff Graham", true, -1}, true},
        {{"/dev/ttyUSB0", "USB Serial", "QinHeng", true, 0x1A86}, false},
        {{"/dev/ttyS0", "", "", false, -1}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(looks_like_maximite(c.port), c.board) << c.port.name;
    std::vector<PortEntry> ports = order_ports(
        {{"/dev/ttyUSB0", "USB Serial", "", true, 0x1A86}, {"/dev/ttyACM9", "", "", true, 0x2E8A}});
    EXPECT_EQ(ports[0].name, "/dev/ttyACM9");
}
