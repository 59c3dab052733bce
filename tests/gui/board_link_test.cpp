// The board link through the real commands against the simulated PicoMite: Send and run on a
// board of the older firmware that loses what it cannot take, lines the board refuses, errors
// traced back into #INCLUDE files, keys after Ctrl-C, and the speed that restarts a board.
#include "app/commands.h"
#include "app/device_command_list.h"
#include "app/menu_ids.h"
#include "device/device_session.h"
#include "device/program_transfer.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "support/board_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtTest/QTest>

#include <filesystem>
#include <functional>

namespace {

class BoardLinkTest : public AppFixture {
  protected:
    void connect_to(BoardConfig config) {
        host = std::make_unique<BoardHost>(config);
        ASSERT_FALSE(host->path().empty());
        start();
        DeviceSession& s = session();
        s.answer_timeout_ms = 3000;
        s.choose_connection = [this](QWidget*, Settings&) {
            return std::optional<ConnectionChoice>(ConnectionChoice{host->path(), 115200, 0, 0});
        };
        run_command(*app, menu_id::connect);
        ASSERT_EQ(s.state(), LinkState::connected);
        ASSERT_TRUE(wait_until([&] { return host->board().at_prompt(); }));
    }
    DeviceSession& session() { return device_session(*app); }
    void set_document(const std::string& utf8) {
        sci_send_text(app->editor, Sci::SCI_SETTEXT, 0, utf8.c_str());
        mark_saved(app->editor);
    }
    bool message_shown(const std::string& part) {
        for (const ShownDialog& d : requesters->shown)
            if (d.text.find(part) != std::string::npos) return true;
        return false;
    }
    std::unique_ptr<BoardHost> host;
};

TEST_F(BoardLinkTest, SendAndRunOnTheOlderFirmwareStoresEveryByteAndRunsAfterSaved) {
    BoardConfig config;
    config.firmware = BoardConfig::Firmware::v6_00_03;
    config.byte_us = 87;
    config.line_us = 500;
    connect_to(config);
    std::string program;
    for (int i = 1; i <= 300; ++i) program += "  PRINT \"line " + std::to_string(i) + "\"\n";
    set_document(program);
    EXPECT_TRUE(is_command_enabled(*app, menu_id::send_and_run));
    run_command(*app, menu_id::send_and_run);
    EXPECT_FALSE(is_command_enabled(*app, menu_id::send_program)); // one send at a time
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_TRUE(requesters->shown.empty());
    EXPECT_EQ(host->board().lost(), 0u);
    EXPECT_EQ(host->board().program(), autosave_program(program));
    // RUN went out only after the board confirmed the program.
    const std::string& sent = host->received();
    std::size_t run = sent.rfind("RUN\r");
    ASSERT_NE(run, std::string::npos);
    EXPECT_GT(run, sent.find('\x1a'));
    EXPECT_TRUE(wait_until([&] {
        const TerminalScreen& screen = session().screen();
        return screen.text(0, screen.line_count() - 1).find("line 300") != std::string::npos;
    }));
}

TEST_F(BoardLinkTest, ALineTheBoardCannotTakeIsNamedAndNothingIsSent) {
    connect_to({});
    set_document("PRINT 1\nPRINT \"" + std::string(260, 'x') + "\"\n");
    std::size_t before = host->received().size();
    run_command(*app, menu_id::send_program);
    EXPECT_TRUE(message_shown("Line 2 is too long"));
    EXPECT_FALSE(session().transferring());
    QTest::qWait(50);
    EXPECT_EQ(host->received().size(), before);
}

TEST_F(BoardLinkTest, AnErrorInAnIncludedFileOpensThatFileAtItsLine) {
    connect_to({});
    std::string folder = path("prog/");
    std::filesystem::create_directories(folder);
    write_file(folder + "lib.inc", "PRINT \"in lib\"\r\nx = 1/0\r\n");
    std::string main_path = folder + "main.bas";
    write_file(main_path, "PRINT \"start\"\r\n#INCLUDE \"lib.inc\"\r\n");
    ASSERT_GE(open_path(*app, main_path), 0);
    run_command(*app, menu_id::send_and_run);
    ASSERT_TRUE(wait_until([&] { return !session().errors().empty(); }));
    // The program went merged; the board's line 4 is line 2 of lib.inc.
    const DeviceError& error = session().errors().front();
    EXPECT_EQ(error.file, folder + "lib.inc");
    EXPECT_EQ(error.line, 2);
    ASSERT_TRUE(app->documents.current_document());
    EXPECT_EQ(app->documents.current_document()->path, folder + "lib.inc");
    EXPECT_EQ(sci_caret_line(app->editor), 1);

    // MMBasic for Linux names an included file by its path.
    host->print("Error in " + folder + "lib.inc line 3: Syntax\r\n> ");
    ASSERT_TRUE(wait_until([&] { return session().errors().size() == 2; }));
    EXPECT_EQ(session().errors().back().line, 3);
    // An error at the prompt is logged without a line to go to.
    host->print("Error : Unknown command\r\n> ");
    ASSERT_TRUE(wait_until([&] { return session().errors().size() == 3; }));
    EXPECT_EQ(session().errors().back().line, 0);
}

TEST_F(BoardLinkTest, KeysTypedAfterCtrlCWaitForThePrompt) {
    BoardConfig config;
    config.byte_us = 87;
    connect_to(config);
    set_document("DO\nLOOP\n");
    run_command(*app, menu_id::send_and_run);
    ASSERT_TRUE(wait_until([&] { return host->board().running(); }));
    TerminalView* view = session().panel()->view();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClicks(view, "new");
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(wait_until([&] { return host->board().program().empty(); }));
    // Stop program (Shift+F5) is a command too.
    set_document("DO\nLOOP\n");
    run_command(*app, menu_id::send_and_run);
    ASSERT_TRUE(wait_until([&] { return host->board().running(); }));
    run_command(*app, menu_id::stop_program);
    EXPECT_TRUE(wait_until([&] { return !host->board().running(); }));
}

TEST_F(BoardLinkTest, TheSpeedThatRestartsABoardIsRefused) {
    start();
    EXPECT_FALSE(session().connect_to(ConnectionChoice{"/dev/null", 1200, 0, 0}));
    EXPECT_TRUE(message_shown("firmware loader"));
    EXPECT_EQ(session().state(), LinkState::closed);
    EXPECT_FALSE(is_command_enabled(*app, menu_id::send_program));
    EXPECT_FALSE(is_command_enabled(*app, menu_id::stop_program));
}

} // namespace
