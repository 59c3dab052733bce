// Files changed by another program: the question, reading again, keeping the editor's text, and
// the editor's own saves never asking.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/disk_watch.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "tools/saving.h"

#include <QElapsedTimer>
#include <QStatusBar>

#include <fstream>
#include <unistd.h>

namespace {

class DiskWatchTest : public AppFixture {
  protected:
    std::string open(const std::string& bytes) {
        file = path("watched.bas");
        write_file(file, bytes);
        start({file});
        return file;
    }
    // Another program writes the file in place, as most editors and tools do.
    void other_program_writes(const std::string& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    // Turns the event loop until `done` holds (the watcher reports changes asynchronously).
    template <typename Done> bool wait_for(Done done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 20000) process_events();
        return done();
    }
    bool asked() const { return !requesters->shown.empty(); }
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    void type(const std::string& text) {
        sci_send(app->editor, Sci::SCI_DOCUMENTEND);
        sci_add_text(app->editor, text);
    }
    std::string file;
};

const std::string question = "watched.bas was changed by another program. Read it again?";

} // namespace

TEST_F(DiskWatchTest, UnmodifiedDocumentIsReadAgainAsOneUndoStep) {
    open("10 PRINT 1\r\n");
    requesters->answers = {Answer::Yes};
    other_program_writes("10 PRINT 2\r\n20 END\r\n");
    ASSERT_TRUE(wait_for([&] { return asked(); }));
    EXPECT_EQ(requesters->shown[0].title, "File changed");
    EXPECT_EQ(requesters->shown[0].text, question);
    EXPECT_EQ(requesters->shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 2\r\n20 END\r\n");
    EXPECT_FALSE(modified());
    sci_send(app->editor, Sci::SCI_UNDO);
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 1\r\n");

    // The same bytes written again (a touch) ask nothing.
    sci_send(app->editor, Sci::SCI_REDO);
    requesters->shown.clear();
    other_program_writes("10 PRINT 2\r\n20 END\r\n");
    check_files_on_disk(*app); // as when the window gets the focus
    process_events();
    EXPECT_FALSE(asked());
}

TEST_F(DiskWatchTest, KeptChangesWarnAndTheNextSaveAsksBeforeOverwriting) {
    open("10 PRINT 1\r\n");
    type("20 PRINT \"mine\"");
    requesters->answers = {Answer::No};
    other_program_writes("10 PRINT \"theirs\"\r\n");
    ASSERT_TRUE(wait_for([&] { return asked(); }));
    EXPECT_EQ(requesters->shown[0].text.substr(0, question.size()), question);
    EXPECT_NE(requesters->shown[0].text.find("changes in the editor would be replaced"),
              std::string::npos);
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 1\r\n20 PRINT \"mine\"");
    EXPECT_TRUE(modified());

    // Save asks first; No leaves their file alone, Yes writes ours.
    requesters->shown.clear();
    requesters->answers = {Answer::No};
    run_command(*app, menu_id::save);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "File changed");
    EXPECT_EQ(read_file(file), "10 PRINT \"theirs\"\r\n");
    requesters->answers = {Answer::Yes};
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), "10 PRINT 1\r\n20 PRINT \"mine\"");
    EXPECT_FALSE(modified());

    // Once written, further saves ask nothing, and our own write raises no question.
    requesters->shown.clear();
    type("!");
    run_command(*app, menu_id::save);
    check_files_on_disk(*app);
    process_events();
    EXPECT_TRUE(requesters->shown.empty());
}

TEST_F(DiskWatchTest, OwnSavesNeverAsk) {
    open("10 PRINT 1\r\n");
    for (int i = 0; i < 3; ++i) {
        type("x");
        run_command(*app, menu_id::save);
    }
    wait_for([&] { return !app->disk.check_timer->isActive(); });
    check_files_on_disk(*app); // as when the window gets the focus
    EXPECT_TRUE(requesters->shown.empty());
    // A change by the other program after our saves is still noticed, so the watch holds.
    requesters->answers = {Answer::No};
    other_program_writes("other");
    ASSERT_TRUE(wait_for([&] { return asked(); }));
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].text, question);
}

TEST_F(DiskWatchTest, DeletedFileMarksTheDocumentModifiedAndSaysSo) {
    open("10 PRINT 1\r\n");
    ASSERT_FALSE(modified());
    ::unlink(file.c_str());
    ASSERT_TRUE(wait_for([&] { return modified(); }));
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 1\r\n");
    EXPECT_NE(
        app->window->statusBar()->currentMessage().toStdString().find("watched.bas was deleted"),
        std::string::npos);
    EXPECT_FALSE(asked());
    // Closing now asks about the changes, so the text is not lost by accident.
    requesters->answers = {Answer::Yes};
    close_with_prompt(*app, app->documents.current, 0);
    EXPECT_EQ(read_file(file), "10 PRINT 1\r\n");
}
