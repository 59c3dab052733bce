// A board file opened in a tab: the tab says where it came from (also when the working copy is
// opened again), and Save sends it back to the board after a look at the board's folder, asking
// before it replaces a copy that changed on the board since it was fetched. A tab dragged onto
// the Board files panel sends its file.
#include "boardfiles/board_origin.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/board_files_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <memory>

namespace {

class BoardWorkingCopyTest : public BoardFilesTest {
  protected:
    const TabItem& tab() { return app->tab_bar->bar().items[app->documents.current]; }
    // Saves the current document after a change; `answers` reply to what Save asks.
    void change_and_save(const std::string& text, std::initializer_list<Answer> answers) {
        sci_set_text(app->editor, text);
        for (Answer answer : answers) requesters->answers.push_back(answer);
        run_command(*app, menu_id::save);
        ASSERT_TRUE(wait_until([&] { return idle() && requesters->answers.empty(); }));
        ASSERT_TRUE(wait_until([&] { return idle(); }));
    }
    std::string& on_card(const std::string& path) {
        return host->board().drives().drive('B').files[path];
    }
};

} // namespace

TEST_F(BoardWorkingCopyTest, TheTabShowsTheBoardFileAndSaveSendsItBackAskingWhenTheBoardsChanged) {
    BoardConfig config;
    config.card = true;
    config.device = "PicoMiteVGA";
    connect_board(config);
    BoardDrive& card = host->board().drives().drive('B');
    card.folders.insert("games");
    on_card("games/snake.bas") = "PRINT \"snake\"\r\n";
    card.stamps["games/snake.bas"] = "14:07 05-03-2024";
    run_command(*app, menu_id::board_files);
    ASSERT_TRUE(listed({}));
    files().switch_drive('B');
    ASSERT_TRUE(listed({"games/"}));
    double_click("games/");
    ASSERT_TRUE(listed({"..", "snake.bas"}));
    double_click("snake.bas");
    ASSERT_TRUE(
        wait_until([&] { return idle() && sci_text(app->editor) == "PRINT \"snake\"\r\n"; }));
    EXPECT_EQ(tab().tooltip, "B:/games/snake.bas on PicoMiteVGA");
    EXPECT_TRUE(tab().flags & tabbar_item_flag_marked);
    save_screenshot(app->editor->window(), "board_working_copy_tab");

    // The working copy opened again, as at the next start, still knows its board.
    const std::string working = app->documents.current_document()->path;
    remove_document(*app, app->documents.current);
    ASSERT_GE(open_path(*app, working), 0);
    EXPECT_EQ(tab().tooltip, "B:/games/snake.bas on PicoMiteVGA");

    // Save writes here, then sends it when asked; the record takes the board's new listing.
    change_and_save("PRINT \"faster\"\r\n", {Answer::Yes});
    EXPECT_EQ(read_file(working), "PRINT \"faster\"\r\n");
    EXPECT_EQ(on_card("games/snake.bas").substr(0, 16), "PRINT \"faster\"\r\n");
    EXPECT_EQ(host->board().drives().current(), 'B'); // the panel's folder is kept
    EXPECT_EQ(card.cwd, "games");
    std::optional<BoardOrigin> record = parse_origin(read_file(origin_record_path(working)));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->size, 128); // XMODEM wrote the whole block
    // No keeps it here only.
    change_and_save("PRINT \"here only\"\r\n", {Answer::No});
    EXPECT_EQ(on_card("games/snake.bas").substr(0, 16), "PRINT \"faster\"\r\n");

    // Someone changed the file on the board: asked before it is replaced; No keeps theirs.
    on_card("games/snake.bas") = "PRINT \"theirs\"\r\n";
    change_and_save("PRINT \"mine\"\r\n", {Answer::Yes, Answer::No});
    EXPECT_NE(requesters->shown.back().text.find("changed since it was fetched"), std::string::npos)
        << requesters->shown.back().text;
    EXPECT_EQ(on_card("games/snake.bas"), "PRINT \"theirs\"\r\n");
    EXPECT_EQ(read_file(working), "PRINT \"mine\"\r\n");
    change_and_save("PRINT \"mine!\"\r\n", {Answer::Yes, Answer::Yes});
    EXPECT_EQ(on_card("games/snake.bas").substr(0, 15), "PRINT \"mine!\"\r\n");

    // Without a board the local save stands, and says so.
    device_session(*app).disconnect();
    change_and_save("PRINT \"offline\"\r\n", {Answer::Ok});
    EXPECT_NE(requesters->shown.back().text.find("No board is connected"), std::string::npos);
    EXPECT_EQ(read_file(working), "PRINT \"offline\"\r\n");
}

TEST_F(BoardFilesTest, AnOpenFileWithUnsavedChangesIsSavedFirstOnlyWhenTheUserSays) {
    connect_board();
    run_command(*app, menu_id::board_files);
    ASSERT_TRUE(listed({}));
    const std::string local = path("prog.bas");
    write_file(local, "PRINT 1\r\n");
    ASSERT_GE(open_path(*app, local), 0);
    sci_set_text(app->editor, "PRINT 2\r\n");
    process_events();
    struct Case {
        Answer answer;
        const char* on_board; // nothing: not sent
        const char* on_disk;
    } cases[] = {
        {Answer::Cancel, nullptr, "PRINT 1\r\n"},
        {Answer::No, "PRINT 1\r\n", "PRINT 1\r\n"},
        {Answer::Yes, "PRINT 2\r\n", "PRINT 2\r\n"},
    };
    for (const Case& c : cases) {
        requesters->answers.push_back(c.answer);
        if (c.answer == Answer::Yes) requesters->answers.push_back(Answer::Yes); // replace it
        files().upload({local});
        ASSERT_TRUE(wait_until([&] { return idle(); }));
        if (c.on_board)
            ASSERT_TRUE(wait_until([&] { return host->board().files().count("prog.bas") > 0; }));
        EXPECT_EQ(host->board().files().count("prog.bas") > 0, c.on_board != nullptr);
        if (c.on_board) EXPECT_EQ(host->board().files()["prog.bas"].substr(0, 9), c.on_board);
        EXPECT_EQ(read_file(local), c.on_disk);
        ASSERT_TRUE(
            listed(c.on_board ? std::vector<std::string>{"prog.bas"} : std::vector<std::string>{}));
    }
}

TEST_F(BoardFilesTest, ATabDraggedOntoThePanelUploadsItsFile) {
    connect_board();
    run_command(*app, menu_id::board_files);
    ASSERT_TRUE(listed({}));
    const std::string local = path("tab file.bas");
    write_file(local, "PRINT \"tab\"\r\n");
    const int position = open_path(*app, local);
    ASSERT_GE(position, 0);
    EXPECT_EQ(app->tab_bar->drag_data(0), nullptr); // the untitled one was never saved

    std::unique_ptr<QMimeData> data(app->tab_bar->drag_data(position));
    ASSERT_NE(data, nullptr);
    // A drop reaches only the widget that took the drag when it entered.
    QWidget* panel = files().panel();
    const QPoint middle(panel->width() / 2, panel->height() / 2);
    QDragEnterEvent enter(middle, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &drop);
    ASSERT_TRUE(wait_until([&] { return host->board().files().count("tab file.bas") > 0; }));
    ASSERT_TRUE(wait_until([&] { return idle(); }));
    EXPECT_EQ(host->board().files()["tab file.bas"].substr(0, 13), "PRINT \"tab\"\r\n");
}
