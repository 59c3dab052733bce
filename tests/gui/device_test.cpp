// The device panel against the simulated board over a pseudo-terminal: connecting, typing,
// sending by AUTOSAVE and XMODEM, running, errors, and boards that vanish or never answer.
#include "app/commands.h"
#include "app/device_command_list.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "base/text_conversion.h"
#include "device/connect_dialog.h"
#include "device/device_session.h"
#include "device/error_log.h"
#include "device/program_transfer.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "documents/document_commands.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "support/board_host.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>
#include <memory>

namespace {

std::string program_of(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "PRINT \"line " + std::to_string(i) + "\"\r\n";
    return text;
}

class DeviceTest : public AppFixture {
  protected:
    void start_with_board(BoardConfig config = {}) {
        host = std::make_unique<BoardHost>(config);
        ASSERT_FALSE(host->path().empty());
        start();
        DeviceSession& s = session();
        s.answer_timeout_ms = 2000;
        s.xmodem_timing.start_timeout_ms = 2000;
        s.xmodem_timing.sender_timeout_ms = 500;
        s.xmodem_timing.receiver_timeout_ms = 300;
        s.choose_connection = [this](QWidget*, Settings&) {
            return std::optional<ConnectionChoice>(
                ConnectionChoice{host->path(), 115200, char_delay, line_delay});
        };
    }
    DeviceSession& session() { return device_session(*app); }
    void connect_board() {
        run_command(*app, menu_id::connect);
        ASSERT_EQ(session().state(), LinkState::connected);
        ASSERT_TRUE(wait_until([&] { return screen_has(">"); }));
    }
    // The editor's own text (UTF-8), as typed.
    void set_document(const std::string& utf8) {
        sci_send_text(app->editor, Sci::SCI_SETTEXT, 0, utf8.c_str());
        mark_saved(app->editor);
    }
    bool screen_has(const std::string& text) {
        TerminalScreen& screen = session().screen();
        return screen.text(0, screen.line_count() - 1).find(text) != std::string::npos;
    }
    std::string document_text() { return sci_text(app->editor); }
    bool modified() { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    bool message_shown(const std::string& part) {
        for (const ShownDialog& d : requesters->shown)
            if (d.text.find(part) != std::string::npos) return true;
        return false;
    }
    long caret_line() { return sci_caret_line(app->editor); }

    std::unique_ptr<BoardHost> host;
    int char_delay = 0;
    int line_delay = 0;
};

TEST_F(DeviceTest, ConnectShowsThePanelAndTypedKeysReachTheBoard) {
    start_with_board();
    connect_board();
    TerminalPanel* panel = session().panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    // Under the editor, across the window's width, as tall as the kept height.
    QWidget* window = app->window.get();
    QRect editor_rect(app->editor->mapTo(window, QPoint(0, 0)), app->editor->size());
    QRect panel_rect(panel->mapTo(window, QPoint(0, 0)), panel->size());
    EXPECT_GE(panel_rect.top(), editor_rect.bottom());
    EXPECT_GT(panel_rect.width(), editor_rect.width());
    EXPECT_EQ(panel_rect.height(), app->settings.terminal_height);
    auto* status = app->window->statusBar()->findChild<QLabel*>("device_status");
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().contains(QString::fromStdString(host->path())));
    EXPECT_TRUE(status->text().contains("connected"));
    EXPECT_EQ(app->settings.comport, host->path());
    EXPECT_EQ(app->settings.device_used, 1);

    QTest::keyClicks(panel->view(), "list");
    QTest::keyClick(panel->view(), Qt::Key_Return);
    ASSERT_TRUE(wait_until([&] { return host->received().find("list\r") != std::string::npos; }));
    ASSERT_TRUE(wait_until([&] { return screen_has("> list"); }));
    QTest::keyClick(panel->view(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(wait_until([&] { return host->received().find('\x03') != std::string::npos; }));

    // Disconnect hides the panel; Connect brings it back.
    session().disconnect();
    EXPECT_EQ(session().state(), LinkState::closed);
    EXPECT_FALSE(panel->isVisible());
    connect_board();
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(DeviceTest, TheConnectionDialogTakesATypedPortAndPreselectsTheSpeed) {
    start_with_board();
    session().choose_connection = choose_connection_by_dialog;
    app->settings.line_delay = 7;
    QTimer::singleShot(0, [this] {
        auto* dialog = app->window->findChild<QDialog*>("connect_dialog");
        ASSERT_NE(dialog, nullptr);
        QList<QComboBox*> boxes = dialog->findChildren<QComboBox*>();
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[1]->currentText(), "115200");
        boxes[0]->setEditText(QString::fromStdString(host->path()));
        dialog->accept();
    });
    run_command(*app, menu_id::connect);
    EXPECT_EQ(session().state(), LinkState::connected);
    EXPECT_EQ(session().port(), host->path());
    EXPECT_EQ(app->settings.serial_speed, 115200);
    EXPECT_EQ(app->settings.line_delay, 7);
}

TEST_F(DeviceTest, AutosaveStoresTheProgramRunsItAndJumpsToTheError) {
    line_delay = 1;
    start_with_board();
    connect_board();
    std::string program = "PRINT \"hello\"\r\nPRINT \"caf\xc3\xa9\"\r\n\r\nERROR \"Oops\"\r\n"
                          "PRINT \"never\"\r\n";
    set_document(program);
    sci_send(app->editor, Sci::SCI_GOTOPOS, 0);
    requesters->answers.push_back(Answer::Yes); // the board does not keep the accented letter
    session().send_program(false, true);
    EXPECT_TRUE(message_shown("does not keep"));
    EXPECT_TRUE(session().transferring());
    ASSERT_TRUE(wait_until([&] { return !session().errors().empty(); }));
    EXPECT_EQ(host->board().program(), autosave_program(program));
    EXPECT_EQ(host->board().autosaves(), 1);
    EXPECT_TRUE(screen_has("hello"));
    const DeviceError& error = session().errors().front();
    EXPECT_EQ(error.line, 4);
    EXPECT_TRUE(error.message.starts_with("Oops")) << error.message;
    EXPECT_EQ(error.file, app->documents.current_document()->path);
    EXPECT_EQ(caret_line(), 3); // the first error after RUN is jumped to
    EXPECT_NE(sci_send(app->editor, Sci::SCI_MARKERGET, 3) & (1 << 2), 0);
    // Nothing of this touched the document.
    EXPECT_EQ(document_text(), program);
    EXPECT_FALSE(modified());

    // The Error Log lists it; a click jumps there again.
    run_command(*app, menu_id::error_log);
    QListWidget* list = error_log_list(session());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().contains("line 4: Oops"));
    sci_send(app->editor, Sci::SCI_GOTOPOS, 0);
    list->setCurrentRow(0);
    emit list->itemClicked(list->item(0));
    EXPECT_EQ(caret_line(), 3);
}

TEST_F(DeviceTest, StopBreaksARunningProgram) {
    start_with_board();
    connect_board();
    set_document("PRINT \"start\"\r\nDO\r\nLOOP\r\n");
    session().send_program(false, true);
    ASSERT_TRUE(wait_until([&] { return host->board().running(); }));
    auto* stop = session().panel()->findChild<QPushButton*>("terminal_stop");
    ASSERT_NE(stop, nullptr);
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(wait_until([&] { return !host->board().running(); }));
    EXPECT_TRUE(host->board().at_prompt());
    EXPECT_TRUE(session().errors().empty()); // a break is no error
}

TEST_F(DeviceTest, CharactersTheBoardCannotTakeAreAskedAbout) {
    start_with_board();
    connect_board();
    set_document("PRINT \"\xe2\x82\xac\"\r\n");
    requesters->answers.push_back(Answer::No);
    session().send_program(false, false);
    EXPECT_FALSE(session().transferring());
    EXPECT_TRUE(message_shown("first on line 1"));
    requesters->answers.push_back(Answer::Yes);
    session().send_program(false, false);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_EQ(host->board().program(), "PRINT \"\"\r"); // dropped, as the board would
}

TEST_F(DeviceTest, XmodemDeliversTheDocumentBytesThroughALostAndACorruptedBlock) {
    using Fault = BoardConfig::XmodemFault;
    for (Fault fault : {Fault::corrupt_block, Fault::lose_block}) {
        BoardConfig config;
        config.fault = fault;
        start_with_board(config);
        // The board answers a bad block only after 1.5 s of silence.
        session().xmodem_timing.sender_timeout_ms = 3000;
        connect_board();
        std::string program = program_of(60); // about 16 blocks
        set_document(program);
        session().send_program(true, true);
        ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
        EXPECT_EQ(host->board().program(), utf8_to_bytes(program));
        EXPECT_TRUE(wait_until([&] { return screen_has("line 59"); })); // RUN followed
        EXPECT_EQ(document_text(), program);
        stop();
    }
}

TEST_F(DeviceTest, XmodemCancelledByTheBoardIsTold) {
    BoardConfig config;
    config.fault = BoardConfig::XmodemFault::cancel;
    start_with_board(config);
    connect_board();
    set_document(program_of(20));
    session().send_program(true, true);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_TRUE(message_shown("cancelled"));
    EXPECT_TRUE(host->board().program().empty());
    EXPECT_EQ(session().state(), LinkState::connected);
}

TEST_F(DeviceTest, BoardVanishingMidTransferEndsItWithAMessage) {
    char_delay = 1;
    start_with_board();
    connect_board();
    std::string program = program_of(300);
    set_document(program);
    host->on_received = [&](std::size_t count) {
        if (count > 500 && !host->vanished()) host->vanish();
    };
    session().send_program(false, true);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_TRUE(message_shown("was lost while sending"));
    EXPECT_EQ(session().state(), LinkState::reconnecting);
    EXPECT_EQ(document_text(), program);
    EXPECT_FALSE(modified());
    session().disconnect();
    EXPECT_EQ(session().state(), LinkState::closed);
}

TEST_F(DeviceTest, ABoardThatResetsIsConnectedAgainWhenItsPortComesBack) {
    start_with_board();
    session().reconnect_interval_ms = 50;
    connect_board();
    std::string port = host->path();
    host->vanish();
    ASSERT_TRUE(wait_until([&] { return session().state() == LinkState::reconnecting; }));
    EXPECT_TRUE(screen_has("connection lost"));
    host.reset();
    // A new pseudo-terminal takes the lowest free number, normally the one just freed.
    host = std::make_unique<BoardHost>();
    if (host->path() != port) GTEST_SKIP() << "the system gave the new pty another name";
    ASSERT_TRUE(wait_until([&] { return session().state() == LinkState::connected; }));
    QTest::keyClicks(session().panel()->view(), "new\r");
    EXPECT_TRUE(wait_until([&] { return host->received().find("new\r") != std::string::npos; }));
}

TEST_F(DeviceTest, ABoardThatComesBackUnderAnotherPortNameIsFollowed) {
    start_with_board();
    session().reconnect_interval_ms = 50;
    // The system's list of ports: the board as a USB device, under whichever name it has.
    auto ports = std::make_shared<std::vector<PortEntry>>();
    const auto as_board = [](const std::string& name) {
        PortEntry port;
        port.name = name;
        port.usb = true;
        port.vendor = 0x2E8A;
        port.product = 0x000A;
        port.serial = "E66138";
        return port;
    };
    const std::string port = host->path();
    *ports = {as_board(port)};
    session().list_ports = [ports] { return *ports; };
    connect_board();
    host->vanish();
    ASSERT_TRUE(wait_until([&] { return session().state() == LinkState::reconnecting; }));
    host.reset();
    // Something else takes the freed name, and the board comes back under a new one.
    auto other = std::make_unique<BoardHost>();
    host = std::make_unique<BoardHost>();
    if (host->path() == port) GTEST_SKIP() << "the system gave the old pty name to the board";
    PortEntry stranger;
    stranger.name = other->path();
    *ports = {stranger, as_board(host->path())};
    ASSERT_TRUE(wait_until([&] { return session().state() == LinkState::connected; }));
    EXPECT_EQ(session().port(), host->path());
    EXPECT_EQ(app->settings.comport, host->path());
    EXPECT_TRUE(screen_has("connected again on " + host->path()));
    QTest::keyClicks(session().panel()->view(), "new\r");
    EXPECT_TRUE(wait_until([&] { return host->received().find("new\r") != std::string::npos; }));
    EXPECT_EQ(other->received(), "");
}

TEST_F(DeviceTest, CancelStopsTheSendAndTheBoardKeepsItsOldProgram) {
    char_delay = 1;
    start_with_board();
    connect_board();
    set_document("PRINT \"old\"\r\n");
    session().send_program(false, false);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    std::string program = program_of(300);
    set_document(program);
    std::size_t before = host->received().size();
    session().send_program(false, true);
    ASSERT_TRUE(wait_until([&] { return host->received().size() > before + 200; }));
    ASSERT_TRUE(session().transferring());
    session().cancel_transfer();
    EXPECT_FALSE(session().transferring());
    EXPECT_TRUE(message_shown("Sending was cancelled"));
    ASSERT_TRUE(wait_until([&] { return host->received().back() == '\x03'; }));
    EXPECT_EQ(host->board().program(), "PRINT \"old\"\r");
    EXPECT_EQ(document_text(), program);
    EXPECT_EQ(session().state(), LinkState::connected);
}

TEST_F(DeviceTest, ABoardThatNeverAnswersTimesOut) {
    BoardConfig config;
    config.silent = true;
    start_with_board(config);
    run_command(*app, menu_id::connect);
    ASSERT_EQ(session().state(), LinkState::connected);
    set_document(program_of(3));
    session().send_program(false, false);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_TRUE(message_shown("did not echo the AUTOSAVE command"));
    session().send_program(true, false);
    ASSERT_TRUE(wait_until([&] { return !session().transferring(); }));
    EXPECT_TRUE(message_shown("did not echo the XMODEM command"));
    EXPECT_EQ(document_text(), program_of(3));
}

TEST_F(DeviceTest, FloodsOfOutputAreShownWithBoundedScrollback) {
    start_with_board();
    connect_board();
    std::string flood;
    for (int i = 0; flood.size() < 1000000; ++i)
        flood += "\x1b[3" + std::to_string(i % 8) + "mline " + std::to_string(i) +
                 (i % 97 == 0 ? std::string("\x1b[2;5H\x1b[K\x1b[?7h\x9b\x1b") : "") + "\r\n";
    std::size_t before = session().bytes_received();
    host->print(flood);
    ASSERT_TRUE(
        wait_until([&] { return session().bytes_received() >= before + flood.size(); }, 30000));
    TerminalScreen& screen = session().screen();
    EXPECT_LE(screen.line_count(), 10000u + screen.rows());
    EXPECT_GT(screen.line_count(), 9000u);
    session().clear_terminal();
    EXPECT_FALSE(screen_has("line"));
}

TEST_F(DeviceTest, RunLocallyNeedsAnInterpreterAndRunsItOnAPty) {
    start();
    requesters->answers.push_back(Answer::No);
    run_command(*app, menu_id::run_in_dos);
    EXPECT_TRUE(message_shown("No MMBasic interpreter is set"));
    EXPECT_EQ(session().state(), LinkState::closed);
    EXPECT_TRUE(app->settings.interpreter.empty());

    // Any program that takes a file shows how the run goes: cat prints it and ends.
    set_document("PRINT \"local\"\r\n");
    requesters->answers.push_back(Answer::Yes);
    requesters->files.push_back("/bin/cat");
    // The program runs from its own folder: it is saved first.
    requesters->answers.push_back(Answer::Yes);
    requesters->files.push_back(path("local.bas"));
    run_command(*app, menu_id::run_in_dos);
    EXPECT_EQ(app->settings.interpreter, "/bin/cat");
    ASSERT_EQ(session().state(), LinkState::local);
    EXPECT_TRUE(wait_until([&] { return screen_has("PRINT \"local\""); }));
    EXPECT_TRUE(wait_until([&] { return session().state() == LinkState::closed; }));
    EXPECT_TRUE(screen_has("[the program ended]"));
}

} // namespace
