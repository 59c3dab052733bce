// Files changed by another program: the question, reading again, keeping the editor's text, and
// the editor's own saves never asking.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/disk_watch.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

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

TEST_F(DiskWatchTest, AChangeWhileTheQuestionIsOpenIsReadAndAskedAboutAgain) {
    open("10 PRINT 1\r\n");
    // The other program writes its file in two parts; the second lands while the user reads
    // the question about the first.
    const std::string first = "10 PRINT \"part one\"\r\n";
    const std::string whole = first + "20 PRINT \"part two\"\r\n";
    int questions = 0;
    requesters->while_shown = [&](const ShownDialog&) {
        if (++questions == 1) other_program_writes(whole);
    };
    requesters->answers = {Answer::Yes, Answer::Yes};
    other_program_writes(first);
    ASSERT_TRUE(wait_for([&] { return questions == 2; }));
    EXPECT_EQ(get_editor_text(app->editor), whole);
    EXPECT_FALSE(modified());
    // What the document was read from is exactly the file as it is: no question is left.
    EXPECT_EQ(app->documents.documents[0].disk, disk_stamp_of(file));
    check_files_on_disk(*app);
    process_events();
    EXPECT_EQ(questions, 2);

    // A change after the reload is noticed, and Save does not overwrite it unasked.
    requesters->while_shown = nullptr;
    requesters->shown.clear();
    type("30 END");
    other_program_writes(whole + "40 REM three\r\n");
    requesters->answers = {Answer::No};
    run_command(*app, menu_id::save);
    ASSERT_FALSE(requesters->shown.empty());
    EXPECT_EQ(requesters->shown[0].title, "File changed");
    EXPECT_EQ(read_file(file), whole + "40 REM three\r\n");
}

TEST_F(DiskWatchTest, AFailedOwnSaveRaisesNoQuestionAndQuestionsThatDiscardEditsDefaultToNo) {
    open("10 PRINT 1\r\n");
    // A second name makes the save write in place, so the failed write touches the file when
    // it puts the old text back.
    ASSERT_EQ(::link(file.c_str(), path("second-name.bas").c_str()), 0);
    const std::string typed(2100, 'x');
    type(typed);
    app->file_write_hooks.before_chunk = [](std::size_t, std::size_t) {
        return std::string("No space left on device");
    };
    run_command(*app, menu_id::save);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "Save");
    wait_for([&] { return !app->disk.check_timer->isActive(); });
    check_files_on_disk(*app);
    process_events();
    EXPECT_EQ(requesters->shown.size(), 1u);
    EXPECT_TRUE(modified());
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 1\r\n" + typed);

    // A real change by another program asks; with edits at stake No is the default.
    app->file_write_hooks = {};
    requesters->answers = {Answer::No};
    other_program_writes("10 PRINT \"theirs\"\r\n");
    ASSERT_TRUE(wait_for([&] { return requesters->shown.size() == 2; }));
    EXPECT_EQ(requesters->shown[1].buttons, Buttons::YesNoDefaultNo);
    EXPECT_EQ(get_editor_text(app->editor), "10 PRINT 1\r\n" + typed);
}

TEST_F(DiskWatchTest, SaveComparesTheFileBeforeWritingIt) {
    open("10 PRINT 1\r\n");
    type("20 PRINT \"mine\"");
    // Deleted and made anew by another program while the editor keeps the focus; Save comes
    // before any check of the watch.
    ::unlink(file.c_str());
    other_program_writes("10 PRINT \"theirs\"\r\n");
    requesters->answers = {Answer::No};
    run_command(*app, menu_id::save);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "File changed");
    EXPECT_EQ(requesters->shown[0].buttons, Buttons::YesNoDefaultNo);
    EXPECT_EQ(read_file(file), "10 PRINT \"theirs\"\r\n");
    EXPECT_TRUE(modified());
    // Yes replaces it.
    requesters->answers = {Answer::Yes};
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), "10 PRINT 1\r\n20 PRINT \"mine\"");
    EXPECT_FALSE(modified());
}
