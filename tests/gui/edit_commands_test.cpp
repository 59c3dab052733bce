// The editing command set: Edit menu states, Insert File, Save Selection, Restore, recent files,
// text sizes, and what the tabs and the status bar tell.
#include "app/app.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "documents/recent_files.h"
#include "documents/saving.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include <unistd.h>

namespace {

class EditCommandsTest : public AppFixture {
  protected:
    void SetUp() override {
        start_with_intro("");
        app->settings.confirm_before_exit = 0;
    }
    std::string open(const std::string& name, const std::string& bytes) {
        std::string file = path(name);
        write_file(file, bytes);
        open_files(*app, file);
        return file;
    }
    std::string text() const { return get_editor_text(app->editor); }
    const Document& current() const { return app->documents.documents[app->documents.current]; }
    std::string tab_text(int position) const { return app->tab_bar->bar().items[position].text; }
    // The enabled state a menu item gets when its menu opens.
    bool enabled(int id) {
        QAction* action = app->menu_actions.at(id);
        for (QObject* object : action->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(object)) emit menu->aboutToShow();
        return action->isEnabled();
    }
};

} // namespace

TEST_F(EditCommandsTest, EditItemsAreGreyedWhenTheyCanDoNothing) {
    open("a.bas", "PRINT 1\r\n");
    QApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(menu_id::undo));
    EXPECT_FALSE(enabled(menu_id::redo));
    EXPECT_FALSE(enabled(menu_id::cut));
    EXPECT_FALSE(enabled(menu_id::copy));
    EXPECT_FALSE(enabled(menu_id::save_selection));

    sci_send(app->editor, Sci::SCI_SETSEL, 0, 5); // "PRINT"
    EXPECT_TRUE(enabled(menu_id::cut));
    run_command(*app, menu_id::copy);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "PRINT");
    EXPECT_TRUE(enabled(menu_id::paste));
    run_command(*app, menu_id::cut);
    EXPECT_EQ(text(), " 1\r\n");
    EXPECT_TRUE(enabled(menu_id::undo));
    run_command(*app, menu_id::undo);
    EXPECT_EQ(text(), "PRINT 1\r\n");
    EXPECT_TRUE(enabled(menu_id::redo));
    run_command(*app, menu_id::redo);
    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    run_command(*app, menu_id::paste);
    EXPECT_EQ(text(), " 1\r\nPRINT");
}

TEST_F(EditCommandsTest, InsertFileConvertsLineEndsAndIsOneUndoStep) {
    open("main.bas", "A\r\nB\r\n");
    std::string part = path("part.bas");
    write_file(part, std::string("SUB Extra\nX\0\xE9\nEND SUB", 21));
    sci_send(app->editor, Sci::SCI_GOTOLINE, 0);
    requesters->files.push_back(part);
    run_command(*app, menu_id::insert_file_after_line);
    EXPECT_EQ(text(), std::string("A\r\nSUB Extra\r\nX\0\xE9\r\nEND SUB\r\nB\r\n", 31));
    EXPECT_NE(app->documents.current_names.find("Extra "), std::string::npos);
    run_command(*app, menu_id::undo);
    EXPECT_EQ(text(), "A\r\nB\r\n");

    requesters->files.push_back(part);
    run_command(*app, menu_id::insert_file_at_end);
    EXPECT_EQ(text().substr(0, 16), "A\r\nB\r\nSUB Extra\r");

    // A missing file is told and changes nothing.
    requesters->files.push_back(path("missing.bas"));
    run_command(*app, menu_id::undo);
    run_command(*app, menu_id::insert_file_at_end);
    EXPECT_EQ(text(), "A\r\nB\r\n");
    ASSERT_FALSE(requesters->shown.empty());
    EXPECT_EQ(requesters->shown.back().title, "Open");
}

TEST_F(EditCommandsTest, InsertFileIntoAUtf8DocumentKeepsTheFilesCharacters) {
    const struct {
        const char* what;     // also the program's file name
        std::string bytes;    // the inserted file
        std::string inserted; // the characters it gives, as UTF-8
    } files[] = {
        {"a UTF-8 file", "A$ = \"caf\xC3\xA9 \xE2\x86\x92\"", "A$ = \"caf\xC3\xA9 \xE2\x86\x92\""},
        {"an 8-bit file", "A$ = \"caf\xE9\"", "A$ = \"caf\xC3\xA9\""},
    };
    for (const auto& f : files) {
        const std::string program = "PRINT \"\xE2\x86\x92\"\n";
        const std::string file = open(std::string(f.what) + ".bas", program);
        ASSERT_EQ(current().encoding, TextEncoding::utf8);
        write_file(path("part.bas"), f.bytes);
        requesters->files.push_back(path("part.bas"));
        run_command(*app, menu_id::insert_file_at_end);
        run_command(*app, menu_id::save);
        EXPECT_EQ(read_file(file), program + f.inserted) << f.what;
    }
}

TEST_F(EditCommandsTest, SaveSelectionWritesOnlyTheSelectionAndLeavesTheDocument) {
    std::string file = open("main.bas", "A\r\nB\xE9\r\nC\r\n");
    sci_send(app->editor, Sci::SCI_SETSEL, 3, sci_position_from_line(app->editor, 2));
    std::string target = path("sel.bas");
    write_file(target, "old");
    requesters->files.push_back(path("sel")); // ".bas" is added
    requesters->answers = {Answer::No};
    run_command(*app, menu_id::save_selection);
    EXPECT_EQ(read_file(target), "old"); // not overwritten without a Yes
    requesters->files.push_back(target);
    requesters->answers = {Answer::Yes, Answer::Ok};
    run_command(*app, menu_id::save_selection);
    EXPECT_EQ(read_file(target), "B\xE9\r\n");
    EXPECT_EQ(current().path, file);
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
}

TEST_F(EditCommandsTest, RestoreReadsTheFileAgainAndUndoBringsTheEditsBack) {
    std::string file = open("main.bas", "A\r\nB\r\n");
    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    sci_add_text(app->editor, "typed");
    write_file(file, "A\nchanged\n");
    requesters->answers = {Answer::No};
    run_command(*app, menu_id::restore);
    EXPECT_EQ(text(), "A\r\nB\r\ntyped");
    requesters->answers = {Answer::Yes};
    run_command(*app, menu_id::restore);
    EXPECT_EQ(requesters->shown.back().text,
              "Discard your changes to main.bas and read it again from disk?");
    EXPECT_EQ(text(), "A\nchanged\n");
    EXPECT_EQ(current().line_end, LineEnd::lf);
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
    run_command(*app, menu_id::undo);
    EXPECT_EQ(text(), "A\r\nB\r\ntyped");

    run_command(*app, menu_id::new_file);
    EXPECT_FALSE(enabled(menu_id::restore)); // untitled: nothing to read
}

TEST_F(EditCommandsTest, RecentFilesAreKeptNewestFirstAndAMissingOneIsDropped) {
    std::string a = open("a.bas", "A\r\n");
    std::string b = open("b&c.bas", "B\r\n");
    QAction* first = app->menu_actions.at(menu_id::recent_first);
    EXPECT_EQ(first->text().toStdString(), "&1 b&&c.bas");
    EXPECT_EQ(first->statusTip().toStdString(), b);
    EXPECT_EQ(app->menu_actions.at(menu_id::recent_first + 1)->text().toStdString(), "&2 a.bas");
    EXPECT_FALSE(app->menu_actions.at(menu_id::recent_first + 2)->isVisible())
        << app->menu_actions.at(menu_id::recent_first + 2)->text().toStdString();

    // Picking an open one activates it; the list survives a restart in its own file.
    run_command(*app, menu_id::recent_first + 1);
    EXPECT_EQ(current().path, a);
    EXPECT_EQ(parse_view_state(read_file(data_folder() + view_state_file_name)).recent,
              (std::vector<std::string>{b, a}));

    // A file gone from disk (and not open) is told and leaves the list.
    std::string gone = open("gone.bas", "G\r\n");
    close_with_prompt(*app, app->documents.current, 0);
    ::unlink(gone.c_str());
    requesters->answers = {Answer::Ok};
    run_command(*app, menu_id::recent_first + 0);
    ASSERT_FALSE(requesters->shown.empty());
    EXPECT_EQ(requesters->shown.back().title, "Open");
    EXPECT_EQ(app->view_state.recent, (std::vector<std::string>{b, a}));
}

TEST_F(EditCommandsTest, FontItemsAndZoomKeysSetTheTextSize) {
    run_command(*app, menu_id::font_biggest);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETZOOM), 4);
    QAction* biggest = app->menu_actions.at(menu_id::font_biggest);
    enabled(menu_id::font_biggest);
    EXPECT_TRUE(biggest->isChecked());
    app->editor->setFocus();
    QTest::keyClick(app->window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETZOOM), 3);
    QTest::keyClick(app->window.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETZOOM), 0);
    // One tick, on the current size only.
    auto ticked = [&] {
        std::vector<int> ids;
        for (int id = menu_id::font_small; id <= menu_id::font_biggest; ++id)
            if (enabled(id), app->menu_actions.at(id)->isChecked()) ids.push_back(id);
        return ids;
    };
    EXPECT_EQ(ticked(), std::vector<int>{menu_id::font_medium});
    // Ctrl+wheel zooms in the editing component, and the size is remembered as well.
    QPointF at(50, 50);
    QWheelEvent wheel(at, app->editor->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(app->editor->viewport(), &wheel);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETZOOM), 1);
    EXPECT_EQ(app->view_state.zoom, 1);
    EXPECT_EQ(ticked(), std::vector<int>{}); // a size between the items
    run_command(*app, menu_id::font_small);
    quit();
    start_with_intro("");
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETZOOM), -2);
}

TEST_F(EditCommandsTest, TabsMarkUnsavedChangesAndShowThePath) {
    std::string file = open("a.bas", "A\r\n");
    EXPECT_EQ(tab_text(app->documents.current), "a.bas");
    EXPECT_EQ(app->tab_bar->bar().items[app->documents.current].tooltip, file);
    sci_add_text(app->editor, "x");
    process_events();
    EXPECT_EQ(tab_text(app->documents.current), "a.bas *");
    EXPECT_EQ(app->window->windowTitle().toStdString(), "Zell Edit V0.9 - a.bas *");
    save_screenshot(app->window.get(), "modified_tab");
    sci_send(app->editor, Sci::SCI_UNDO);
    process_events();
    EXPECT_EQ(tab_text(app->documents.current), "a.bas");
    EXPECT_EQ(app->window->windowTitle().toStdString(), "Zell Edit V0.9 - a.bas");

    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    sci_add_text(app->editor, "abc");
    process_events();
    EXPECT_EQ(app->status_line.fields[0]->text().toStdString(), "Col: 4");

    // Ctrl+Tab moves on, Ctrl+W closes with the prompt.
    int before = app->documents.current;
    QTest::keyClick(app->window.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(app->documents.current, before);
    int count = app->documents.count();
    QTest::keyClick(app->window.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(app->documents.count(), count - 1);
}
