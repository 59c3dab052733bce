// Closing and quitting: the save-changes prompt, background tabs, and the shutdown that asks.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "gui/saving_fixture.h"
#include "support/app_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>

#include <unistd.h>

TEST_F(SavingTest, ClosePromptCancelNoAndYes) {
    start_with_intro("");
    std::string file = open("prog.bas", "A\r\n");
    const int position = app->documents.current;
    type("B\r\n");
    const std::string question = file + "\nDo yo want to save changes to prog.bas?";

    requesters->answers.push_back(Answer::Cancel);
    EXPECT_EQ(close_with_prompt(*app, position, 0), -1);
    expect_dialog(0, "File has changes!", question, Buttons::YesNoCancel);
    EXPECT_EQ(app->documents.count(), 2);
    EXPECT_TRUE(modified());

    requesters->answers.push_back(Answer::Yes);
    EXPECT_EQ(close_with_prompt(*app, position, 0), 0);
    EXPECT_EQ(read_file(file), "A\r\nB\r\n");
    ASSERT_EQ(app->documents.count(), 1);
    expect_dialog(2, "File saved", file);

    file = open("other.bas", "C\r\n");
    type("D");
    requesters->answers.push_back(Answer::No);
    EXPECT_EQ(close_with_prompt(*app, 1, 1), 0);
    expect_dialog(3, "File has changes!", file + "\nDo yo want to save changes to other.bas?",
                  Buttons::YesNo);
    EXPECT_EQ(read_file(file), "C\r\n");
    EXPECT_EQ(app->documents.count(), 1);
    EXPECT_EQ(requesters->shown.size(), 4u);
}

TEST_F(SavingTest, ClosingAnUnchangedDocumentAsksNothingAndTheLastLeavesANewOne) {
    start_with_intro("' intro\r\n");
    EXPECT_EQ(close_with_prompt(*app, 0, 0), 0);
    ASSERT_EQ(app->documents.count(), 1);
    EXPECT_EQ(current().file_name, "untitled.bas");
    EXPECT_EQ(sci_text(app->editor), "' intro\r\n");
    EXPECT_TRUE(requesters->shown.empty());
}

TEST_F(SavingTest, ClosePromptForAnUntitledDocument) {
    start_with_intro("");
    type("PRINT 1");
    std::string taken = path("taken.bas");
    write_file(taken, "keep");

    requesters->answers = {Answer::Yes, Answer::No}; // save, but do not overwrite
    requesters->files.push_back(taken);
    EXPECT_EQ(close_with_prompt(*app, 0, 0), 0);
    expect_dialog(2, "File exists", "Do you wish to overwrite taken.bas?", Buttons::YesNo);
    EXPECT_EQ(read_file(taken), "keep");
    EXPECT_TRUE(modified());

    requesters->answers = {Answer::Yes};
    requesters->files.push_back(""); // requester cancelled
    EXPECT_EQ(close_with_prompt(*app, 0, 0), 0);
    EXPECT_TRUE(modified());
    EXPECT_EQ(app->documents.count(), 1);

    requesters->shown.clear();
    requesters->answers = {Answer::Yes};
    requesters->files.push_back(path("demo2")); // ".bas" is added as Save As does
    EXPECT_EQ(close_with_prompt(*app, 0, 0), 0);
    EXPECT_EQ(read_file(path("demo2.bas")), "PRINT 1");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("demo2"))));
    expect_dialog(2, "File saved", path("demo2.bas"));
    EXPECT_FALSE(modified()); // the new untitled document
}

TEST_F(SavingTest, SavingAFileWithTwoNamesWritesItInPlace) {
    start_with_intro("");
    std::string file = open("prog.bas", "old");
    std::string other = path("same-program.bas");
    ASSERT_EQ(::link(file.c_str(), other.c_str()), 0);
    type(" new");
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(other), "old new");
    EXPECT_FALSE(modified());
}

TEST_F(SavingTest, ClosePromptKeepsTheDocumentWhenTheWriteFails) {
    start_with_intro("");
    std::string file = open("prog.bas", "old");
    type(" new");
    fill_the_disk();
    requesters->answers.push_back(Answer::Yes);
    EXPECT_EQ(close_with_prompt(*app, 1, 0), 1);
    EXPECT_EQ(read_file(file), "old");
    EXPECT_EQ(app->documents.count(), 2);
    EXPECT_EQ(current().path, file);
    EXPECT_TRUE(modified());
    ASSERT_EQ(requesters->shown.size(), 2u);
    expect_dialog(1, "Save", "Couldn't save " + file + "\nNo space left on device");
}

TEST_F(SavingTest, ClosingABackgroundTabSavesThatTabsOwnText) {
    start_with_intro("");
    std::string a = open("a.bas", "A");
    type("1");
    std::string b = open("b.bas", "B");
    type("2");
    ASSERT_EQ(app->documents.current, 2);
    requesters->answers.push_back(Answer::Yes);
    tab_bar_event(*app, 2, 1); // the close button of a.bas, while b.bas is shown
    expect_dialog(0, "File has changes!", a + "\nDo yo want to save changes to a.bas?",
                  Buttons::YesNoCancel);
    EXPECT_EQ(read_file(a), "A1");
    EXPECT_EQ(read_file(b), "B");
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(current().path, b);
    EXPECT_EQ(sci_text(app->editor), "B2");
    EXPECT_TRUE(modified());

    // Cancel on a background tab goes back to the tab that was shown.
    activate_document(*app, 0);
    type("x");
    activate_document(*app, 1);
    requesters->answers.push_back(Answer::Cancel);
    tab_bar_event(*app, 2, 0);
    EXPECT_EQ(app->documents.current, 1);
    EXPECT_EQ(app->tab_bar->bar().selected, 1);
    EXPECT_EQ(app->documents.count(), 2);
}

TEST_F(SavingTest, ShutdownStopsWhenAChosenSaveDidNotHappen) {
    start_with_intro("");
    std::string settings = data_folder() + "Zelledit2.inf";
    write_file(settings, "untouched");
    std::string file = open("prog.bas", "A");
    activate_document(*app, 0);
    type("unsaved work");

    requesters->answers.push_back(Answer::Yes);
    requesters->files.push_back(""); // the save requester is cancelled
    quit();
    expect_dialog(0, "File has changes!",
                  documents_folder + "untitled.bas\nDo yo want to save changes to untitled.bas?",
                  Buttons::YesNoCancel);
    EXPECT_EQ(app->quit_flag, 0);
    EXPECT_TRUE(app->window->isVisible());
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(sci_text(app->editor), "unsaved work");
    EXPECT_EQ(read_file(settings), "untouched");

    // A write that fails stops it too.
    activate_document(*app, 1);
    type("B");
    activate_document(*app, 0);
    requesters->answers = {Answer::No, Answer::Yes};
    fill_the_disk();
    quit();
    EXPECT_EQ(app->quit_flag, 0);
    ASSERT_EQ(app->documents.count(), 2); // the one given up stays open until the quit goes on
    EXPECT_EQ(current().path, file);
    EXPECT_EQ(read_file(settings), "untouched");

    app->file_write_hooks = {};
    requesters->answers = {Answer::No, Answer::Yes};
    quit();
    EXPECT_EQ(app->quit_flag, 1);
    EXPECT_EQ(read_file(file), "AB");
    EXPECT_NE(read_file(settings).find("File2 = " + file + "\r\n"), std::string::npos);
}

TEST_F(SavingTest, AnUntitledProgramSavedOnTheWayOutIsReopenedNextTime) {
    start_with_intro("");
    type("PRINT 1");
    std::string saved = path("game.bas");
    requesters->answers = {Answer::Yes};
    requesters->files.push_back(saved);
    quit();
    EXPECT_EQ(app->quit_flag, 1);
    EXPECT_EQ(read_file(saved), "PRINT 1");
    std::string settings = read_file(data_folder() + "Zelledit2.inf");
    EXPECT_NE(settings.find("File Count = 1\r\nFile1 = " + saved + "\r\n"), std::string::npos);
}

TEST_F(SavingTest, CancelDuringQuitStopsItWithEveryDocumentStillOpen) {
    start_with_intro("");
    app->settings.confirm_before_exit = 1;
    const std::string a = open("a.bas", "A");
    type("1");
    const std::string b = open("b.bas", "B");
    type("2");
    // Quit, give up the untitled one (unchanged: no question), save a.bas, cancel at b.bas.
    requesters->answers = {Answer::Yes, Answer::Yes, Answer::Ok, Answer::Cancel};
    run_command(*app, menu_id::quit);
    expect_dialog(0, "Quit", "Are you sure you want to quit Zell Edit?", Buttons::YesNo);
    expect_dialog(1, "File has changes!", a + "\nDo yo want to save changes to a.bas?",
                  Buttons::YesNoCancel);
    expect_dialog(3, "File has changes!", b + "\nDo yo want to save changes to b.bas?",
                  Buttons::YesNoCancel);
    EXPECT_EQ(app->quit_flag, 0);
    EXPECT_TRUE(app->window->isVisible());
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(read_file(a), "A1");
    EXPECT_FALSE(app->documents.documents[1].modified);
    EXPECT_EQ(current().path, b); // the one asked about is shown
    EXPECT_EQ(sci_text(app->editor), "B2");
    EXPECT_TRUE(modified());
    EXPECT_EQ(tab_text(2), "b.bas *");
}
