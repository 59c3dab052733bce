// "Run in DOS" against a stand-in for MMBasic for Linux: the program runs from its own folder
// whatever its path holds, unsaved changes are asked about, the terminal is the panel's size and
// answers the cursor query, Stop ends the run and the panel says so; errors mark their line.
#include "app/commands.h"
#include "app/device_command_list.h"
#include "app/menu_ids.h"
#include "device/device_session.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QtTest/QTest>

#include "app/main_window.h"
#include <functional>

namespace {

class RunInDos : public AppFixture {
  protected:
    void SetUp() override {
        start();
        app->settings.interpreter = ZELL_FAKE_MMBASIC;
    }
    DeviceSession& session() { return device_session(*app); }
    std::string shown() {
        TerminalScreen& screen = session().screen();
        return screen.text(0, screen.line_count() - 1);
    }
    // Writes `files` (name, text) into `folder` below the home and opens the first.
    std::string open_program(const std::string& folder,
                             const std::vector<std::pair<std::string, std::string>>& files) {
        QDir().mkpath(QString::fromStdString(path(folder)));
        for (const auto& [name, text] : files) write_file(path(folder + "/" + name), text);
        std::string program = path(folder + "/" + files.front().first);
        EXPECT_GE(open_path(*app, program), 0);
        return program;
    }
    // Runs the current document to its end; the output it left.
    std::string run_to_end() {
        run_command(*app, menu_id::run_in_dos);
        EXPECT_EQ(session().state(), LinkState::local);
        EXPECT_TRUE(wait_until([&] { return session().state() == LinkState::closed; }));
        return shown();
    }
    TerminalPanel* panel() { return session().panel(); }
};

TEST_F(RunInDos, TheProgramRunsFromItsFolderWhateverItsPathHolds) {
    const std::string program = "PRINT \"main\"\r\n#INCLUDE \"lib.inc\"\r\nPRINT \"end\"\r\n";
    const struct {
        std::string folder, file;
    } cases[] = {{"plain", "prog.bas"},
                 {"Zell Edit-x1", "prog.bas"},
                 {"a, b", "my prog.bas"},
                 {"dash", "-prog.bas"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder + "/" + c.file);
        open_program(c.folder, {{c.file, program}, {"lib.inc", "PRINT \"from lib\"\r\n"}});
        session().clear_terminal();
        std::string out = run_to_end();
        EXPECT_NE(out.find("main\nfrom lib\nend"), std::string::npos) << out;
        EXPECT_EQ(out.find("Error"), std::string::npos) << out;
    }
}

TEST_F(RunInDos, UnsavedChangesAreSavedRunAsLastSavedOrNotRun) {
    const struct {
        Answer answer;
        const char* shown; // nullptr: no run
        const char* on_disk;
    } cases[] = {{Answer::Yes, "new", "PRINT \"new\""},
                 {Answer::No, "old", "PRINT \"old\"\r\n"},
                 {Answer::Cancel, nullptr, "PRINT \"old\"\r\n"}};
    int number = 0;
    for (const auto& c : cases) {
        std::string file =
            open_program("changed" + std::to_string(++number), {{"prog.bas", "PRINT \"old\"\r\n"}});
        sci_send_text(app->editor, Sci::SCI_SETTEXT, 0, "PRINT \"new\"");
        session().clear_terminal();
        requesters->answers.push_back(c.answer);
        run_command(*app, menu_id::run_in_dos);
        ASSERT_EQ(requesters->shown.back().buttons, Buttons::YesNoCancel);
        if (c.shown) {
            EXPECT_TRUE(wait_until([&] { return session().state() == LinkState::closed; }));
            EXPECT_NE(shown().find(c.shown), std::string::npos);
        } else {
            EXPECT_EQ(session().state(), LinkState::closed);
            EXPECT_EQ(shown().find("old"), std::string::npos);
        }
        EXPECT_EQ(read_file(file), c.on_disk);
    }

    // A document never saved is saved first, or not run.
    run_command(*app, menu_id::new_file);
    sci_send_text(app->editor, Sci::SCI_SETTEXT, 0, "PRINT \"fresh\"\r\n");
    requesters->answers.push_back(Answer::No);
    run_command(*app, menu_id::run_in_dos);
    EXPECT_EQ(session().state(), LinkState::closed);
    requesters->answers.push_back(Answer::Yes);
    requesters->files.push_back(path("fresh.bas"));
    EXPECT_NE(run_to_end().find("fresh"), std::string::npos);
    EXPECT_EQ(read_file(path("fresh.bas")), "PRINT \"fresh\"\r\n");
}

TEST_F(RunInDos, TheTerminalIsThePanelsSizeFollowsItAndAnswersTheCursorQuery) {
    open_program("size", {{"prog.bas", "PRINT \"size\"; MM.HRES; MM.VRES\r\n"
                                       "PRINT \"abc\"; MM.INFO(HPOS)\r\n"
                                       "LINE INPUT a$\r\n"
                                       "PRINT \"now\"; MM.HRES; MM.VRES\r\n"
                                       "PRINT @(MM.HRES - 1, MM.VRES - 1) \"Z\";\r\n"
                                       "LINE INPUT a$\r\n"}});
    run_command(*app, menu_id::run_in_dos);
    TerminalScreen& screen = session().screen();
    TerminalView* view = panel()->view();
    auto size_line = [&](const std::string& word) {
        return word + " " + std::to_string(screen.columns()) + " " + std::to_string(screen.rows());
    };
    ASSERT_TRUE(wait_until([&] { return shown().find("abc 3") != std::string::npos; }));
    EXPECT_NE(shown().find(size_line("size")), std::string::npos) << shown();
    EXPECT_EQ(screen.rows(), view->visible_rows());
    EXPECT_EQ(screen.columns(), view->visible_columns());
    EXPECT_GT(screen.rows(), 3);

    // The panel grows: the screen and the pty follow.
    const int rows_before = screen.rows();
    auto* splitter = qobject_cast<QSplitter*>(panel()->parentWidget());
    ASSERT_NE(splitter, nullptr);
    const int total = splitter->sizes()[0] + splitter->sizes()[1];
    splitter->setSizes({total / 4, total - total / 4});
    ASSERT_TRUE(wait_until([&] { return screen.rows() > rows_before; }));
    EXPECT_EQ(screen.rows(), view->visible_rows());
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(wait_until([&] { return shown().find("now") != std::string::npos; }));
    EXPECT_NE(shown().find(size_line("now")), std::string::npos) << shown();
    ASSERT_TRUE(
        wait_until([&] { return screen.line_text(screen.line_count() - 1).ends_with("Z"); }));
    EXPECT_EQ(screen.line_text(screen.line_count() - 1).size(),
              static_cast<std::size_t>(screen.columns()));
    // A page of text no longer sits above a black view: the view shows the screen's last row.
    EXPECT_EQ(view->verticalScrollBar()->value() + view->visible_rows(),
              static_cast<int>(screen.line_count()));
    session().stop_local();
    EXPECT_TRUE(wait_until([&] { return session().state() == LinkState::closed; }));
}

TEST_F(RunInDos, StopEndsAWaitingRunAndThePanelSaysItEnded) {
    open_program("stop", {{"prog.bas", "PRINT \"waiting\"\r\nLINE INPUT a$\r\n"}});
    run_command(*app, menu_id::run_in_dos);
    ASSERT_TRUE(wait_until([&] { return shown().find("waiting") != std::string::npos; }));
    auto* close = panel()->findChild<QPushButton*>("terminal_disconnect");
    auto* stop = panel()->findChild<QPushButton*>("terminal_stop");
    auto* state = panel()->findChild<QLabel*>("terminal_state");
    EXPECT_EQ(close->text(), "Close");
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(wait_until([&] { return session().state() == LinkState::closed; }));
    EXPECT_NE(shown().find("[the program ended]"), std::string::npos);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(state->text(), "the program ended");
    EXPECT_GE(state->width(), state->sizeHint().width());
    EXPECT_EQ(close->text(), "Close");
    EXPECT_FALSE(stop->isEnabled());
}

TEST_F(RunInDos, AnErrorMarksItsLineVisiblyEvenUnderTheCaretLine) {
    open_program("error", {{"prog.bas", "PRINT \"one\"\r\nPRINT \"two\"\r\nPRINT 1/0\r\n"
                                        "PRINT \"four\"\r\n"}});
    std::string out = run_to_end();
    EXPECT_NE(out.find("Error in line 3: Divide by zero"), std::string::npos) << out;
    ASSERT_TRUE(wait_until([&] { return !session().errors().empty(); }));
    EXPECT_EQ(sci_caret_line(app->editor), 2);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_MARKERGET, 2) & (1 << 2), 1 << 2);

    // The caret line's colour on the marked line differs from the caret line elsewhere.
    auto caret_line_pixel = [&](long line) {
        sci_send(app->editor, Sci::SCI_GOTOLINE, static_cast<unsigned long>(line));
        process_events();
        const long position = sci_position_from_line(app->editor, line);
        const int y =
            static_cast<int>(sci_send(app->editor, Sci::SCI_POINTYFROMPOSITION, 0, position));
        QImage image = app->editor->viewport()->grab().toImage();
        return image.pixelColor(image.width() - 20, y + 2);
    };
    const QColor marked = caret_line_pixel(2);
    const QColor plain = caret_line_pixel(1);
    EXPECT_NE(marked, plain);
    EXPECT_LT(marked.green() + 20, plain.green())
        << marked.name().toStdString() << " " << plain.name().toStdString();
}

TEST(TerminalKeys, KeysGoOutAsTheBoardDecodesThem) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QByteArray bytes;
    } cases[] = {
        // F1 as the board reads it (not xterm's ESC O P), and the gaps of the numbering.
        {Qt::Key_F1, Qt::NoModifier, "\x1b[11~"},  {Qt::Key_F6, Qt::NoModifier, "\x1b[17~"},
        {Qt::Key_F11, Qt::NoModifier, "\x1b[23~"}, {Qt::Key_Home, Qt::NoModifier, "\x1b[1~"},
        {Qt::Key_End, Qt::NoModifier, "\x1b[4~"},  {Qt::Key_Delete, Qt::NoModifier, "\x1b[3~"},
        {Qt::Key_C, Qt::ControlModifier, "\x03"},
    };
    for (const auto& c : cases) EXPECT_EQ(key_bytes(c.key, c.modifiers, {}), c.bytes) << c.key;
}

TEST_F(RunInDos, TheScrollbackScrollsWithTheWheelAndShiftPageKeys) {
    session().show_panel();
    TerminalScreen& screen = session().screen();
    for (int i = 0; i < 300; ++i) screen.feed("line " + std::to_string(i) + "\r\n");
    TerminalView* view = panel()->view();
    view->refresh();
    QScrollBar* bar = view->verticalScrollBar();
    const int end = bar->maximum();
    ASSERT_GT(end, 0);
    ASSERT_EQ(bar->value(), end);
    QTest::keyClick(view, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(bar->value(), end - view->visible_rows());
    QTest::keyClick(view, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(bar->value(), end);
    QWheelEvent wheel(QPointF(10, 10), view->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_LT(bar->value(), end);
    // New output does not pull a reader back down; typing does.
    const int reading = bar->value();
    screen.feed("more\r\n");
    view->refresh();
    EXPECT_EQ(bar->value(), reading);
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace

namespace {

TEST_F(RunInDos, TheStateTextIsNeverCut) {
    session().show_panel();
    TerminalPanel* p = panel();
    auto* state = p->findChild<QLabel*>("terminal_state");
    for (int width : {1200, 800, 640}) {
        app->window->resize(width, app->window->height());
        p->show_state(LinkState::connected, false,
                      "/dev/serial/by-id/usb-PicoMite 115200: connected");
        process_events();
        EXPECT_GE(state->width(), state->sizeHint().width());
    }
}

} // namespace

namespace {

class LocalRunTest : public AppFixture {};

TEST_F(LocalRunTest, StopEndsTheLocalProgram) {
    start();
    app->settings.interpreter = "/bin/sh";
    sci_send_text(app->editor, Sci::SCI_SETTEXT, 0, "echo started\nsleep 30\n");
    requesters->answers.push_back(Answer::Yes); // saved first, to run from its folder
    requesters->files.push_back(path("stop.sh"));
    run_command(*app, menu_id::run_in_dos);
    DeviceSession& session = device_session(*app);
    ASSERT_EQ(session.state(), LinkState::local);
    TerminalScreen& screen = session.screen();
    auto shown = [&](const std::string& text) {
        return screen.text(0, screen.line_count() - 1).find(text) != std::string::npos;
    };
    ASSERT_TRUE(wait_until([&] { return shown("started"); }));
    // Connecting to a board waits until the local program is stopped.
    EXPECT_FALSE(session.connect_to(ConnectionChoice{"/dev/null", 115200, 0, 0}));
    session.stop_local();
    ASSERT_TRUE(wait_until([&] { return session.state() == LinkState::closed; }));
    EXPECT_TRUE(shown("[the program ended]"));
}

} // namespace
