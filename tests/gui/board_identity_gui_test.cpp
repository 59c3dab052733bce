// The board's identity on connecting: whether a card is in (the board left where it was), the
// program memory it implies refusing a program too large before anything is sent, and the
// words of other boards named before a send.
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/board_files_fixture.h"

#include <QLabel>
#include <QStatusBar>

namespace {

class BoardIdentityTest : public BoardFilesTest {
  protected:
    QString identity_text() {
        auto* label = app->editor->window()->findChild<QLabel*>("board_identity");
        return label ? label->text() : QString();
    }
};

} // namespace

TEST_F(BoardIdentityTest, TheCardIsProbedAndTheBoardStaysInItsFolder) {
    for (bool card : {false, true}) {
        BoardConfig config;
        config.card = card;
        if (app) stop();
        connect_board(config, [](BoardModel& board) {
            board.drives().drive('A').folders.insert("games");
            board.drives().drive('A').cwd = "games";
        });
        ASSERT_TRUE(wait_until([&] { return idle() && !identity_text().isEmpty(); }));
        EXPECT_EQ(files().identity().card, card);
        EXPECT_EQ(identity_text().contains("no SD card"), !card) << identity_text().toStdString();
        EXPECT_EQ(host->board().drives().current(), 'A');
        EXPECT_EQ(host->board().drives().drive('A').cwd, "games");
    }
}

TEST_F(BoardIdentityTest, AProgramTooLargeForTheBoardIsRefusedAndOtherBoardsWordsAreNamed) {
    connect_board(); // a PicoMite of 6.03 on an RP2040: 120 KB of program memory
    EXPECT_EQ(device_session(*app).program_memory, 120u * 1024);
    std::string big; // its line ends go as one CR each
    while (big.size() <= 126 * 1024) big += "PRINT \"a line of the program\"\r\n";
    sci_set_text(app->editor, big);
    requesters->answers.push_back(Answer::Ok);
    run_command(*app, menu_id::send_program);
    ASSERT_FALSE(requesters->shown.empty());
    EXPECT_NE(requesters->shown.back().text.find("120 KB"), std::string::npos);
    EXPECT_FALSE(device_session(*app).transferring());

    sci_set_text(app->editor, "CLS\r\nTILE 0, 0, RGB(red)\r\n");
    requesters->answers.push_back(Answer::No);
    run_command(*app, menu_id::send_program);
    EXPECT_NE(requesters->shown.back().text.find("line 2: TILE (PicoMite VGA and HDMI)"),
              std::string::npos)
        << requesters->shown.back().text;
    EXPECT_FALSE(device_session(*app).transferring());
    requesters->answers.push_back(Answer::Yes);
    run_command(*app, menu_id::send_program);
    ASSERT_TRUE(wait_until([&] { return host->board().autosaves() == 1; }));
}

TEST_F(BoardIdentityTest, TheClockIsSetOnConnectingOnlyWhenAskedAndTheBoardIsAtItsPrompt) {
    auto clock_on = [](Settings& settings) { settings.set_clock_on_connect = 1; };
    // A board running a program is left alone.
    open_board(
        {},
        [](BoardHost& board) {
            board.board().set_program("PRINT \"running\"\rDO\r");
            board.print(board.board().receive("RUN\r", 0));
        },
        clock_on);
    auto* status = app->editor->window()->findChild<QLabel*>("board_files_status");
    run_command(*app, menu_id::board_files);
    ASSERT_TRUE(wait_until([&] {
        status = app->editor->window()->findChild<QLabel*>("board_files_status");
        return status && status->text().contains("not showing its prompt");
    }));
    EXPECT_TRUE(host->board().running());
    EXPECT_EQ(host->board().drives().date, "01-01-2024");
    stop();

    for (bool asked : {false, true}) {
        open_board({}, {}, [asked](Settings& settings) { settings.set_clock_on_connect = asked; });
        ASSERT_TRUE(wait_until([&] { return files().identity().known && idle(); }));
        ASSERT_TRUE(wait_until([&] { return idle() && !files().status().empty(); }));
        EXPECT_EQ(host->board().drives().date != "01-01-2024", asked);
        if (!asked) stop();
    }
}
