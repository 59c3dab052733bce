// Saving: Save, Save As, the intro text, failed writes and characters beyond one byte.
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

TEST_F(SavingTest, SaveWritesEveryByteBackUnchanged) {
    start_with_intro("");
    std::string crlf = every_byte_on_lines("\r\n");
    std::string file = open("bytes.bas", crlf);
    ASSERT_FALSE(modified());
    type("x");
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), crlf + "x");
    EXPECT_FALSE(modified());
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_CANUNDO), 0);
    EXPECT_TRUE(requesters->shown.empty()); // Save shows no box
    EXPECT_EQ(tab_text(app->documents.current), "bytes.bas");

    // A file already in the chosen line-end mode saves byte-identical.
    run_command(*app, menu_id::unix_line_endings);
    std::string lf = every_byte_on_lines("\n");
    file = open("lf.bas", lf);
    ASSERT_FALSE(modified());
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), lf);
}

TEST_F(SavingTest, CharactersAboveU00FFAreSavedAsQuestionMarks) {
    start_with_intro("");
    std::string file = open("chars.bas", "");
    sci_set_text(app->editor, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80!");
    requesters->answers.push_back(Answer::Yes); // asked first; saved anyway
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), "caf\xE9 ? ?!");
    sci_set_text(app->editor, "");
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), ""); // an empty document is a file of 0 bytes
}

TEST_F(SavingTest, SaveAsAddsBasOnlyWhenTheFileNameHasNoDot) {
    start_with_intro("");
    QDir().mkpath(QString::fromStdString(path("dir.old")));
    const std::string folder_before = app->folders.current;
    struct Case {
        std::string typed, written;
    };
    for (const Case& c :
         {Case{"prog", "prog.bas"}, Case{"prog.txt", "prog.txt"}, Case{"my.file", "my.file"},
          Case{"prog.", "prog."}, Case{"dir.old/prog", "dir.old/prog.bas"}}) {
        SCOPED_TRACE(c.typed);
        requesters->shown.clear();
        type("PRINT 1\r\n");
        const std::string name_before = current().file_name;
        requesters->files.push_back(path(c.typed));
        run_command(*app, menu_id::save_as);
        std::string full = path(c.written);
        EXPECT_EQ(read_file(full), get_editor_text(app->editor));
        EXPECT_EQ(current().path, full);
        EXPECT_EQ(current().file_name, full.substr(full.rfind('/') + 1));
        EXPECT_EQ(tab_text(app->documents.current), current().file_name);
        EXPECT_EQ(app->tab_bar->bar().selected, app->documents.current);
        EXPECT_FALSE(modified());
        ASSERT_EQ(requesters->shown.size(), 2u);
        expect_dialog(0, "Save", documents_folder + name_before); // the document's own name
        expect_dialog(1, "File saved", full);
    }
    EXPECT_EQ(app->folders.current, folder_before); // Save As leaves the current folder alone
}

TEST_F(SavingTest, SaveAsAsksBeforeOverwritingOnlyANonEmptyFile) {
    start_with_intro("");
    std::string full = path("full.bas"), empty = path("empty.bas");
    write_file(full, "keep me");
    write_file(empty, "");
    type("new text");

    requesters->files.push_back(full);
    requesters->answers.push_back(Answer::No);
    run_command(*app, menu_id::save_as);
    expect_dialog(1, "File exists", "Do you wish to overwrite it?", Buttons::YesNo);
    EXPECT_EQ(requesters->shown.size(), 2u);
    EXPECT_EQ(read_file(full), "keep me");
    EXPECT_EQ(current().file_name, "untitled.bas");
    EXPECT_TRUE(modified());

    requesters->shown.clear();
    requesters->files.push_back(empty);
    run_command(*app, menu_id::save_as);
    expect_dialog(1, "File saved", empty); // no question for an empty file
    EXPECT_EQ(read_file(empty), "new text");

    requesters->shown.clear();
    requesters->files.push_back(full);
    requesters->answers.push_back(Answer::Yes);
    run_command(*app, menu_id::save_as);
    EXPECT_EQ(read_file(full), "new text");
    EXPECT_EQ(current().path, full);
}

TEST_F(SavingTest, SaveOfAnUntitledDocumentAsksForANameAndCancelChangesNothing) {
    start_with_intro("");
    std::string file = open("untitled.bas", "PRINT 1\r\n"); // a file that is itself so named
    type("x");
    requesters->files.push_back("");
    run_command(*app, menu_id::save);
    ASSERT_EQ(requesters->shown.size(), 1u);
    expect_dialog(0, "Save", path("untitled.bas")); // the current folder followed the file
    EXPECT_EQ(read_file(file), "PRINT 1\r\n");
    EXPECT_EQ(current().path, file);
    EXPECT_TRUE(modified());
}

TEST_F(SavingTest, SaveAsKeepsTheNamesOfTheProgram) {
    start_with_intro("");
    open("names.bas", "Sub Main\r\nStart:\r\n");
    requesters->files.push_back(path("renamed.bas"));
    run_command(*app, menu_id::save_as);
    EXPECT_EQ(app->documents.current_names, "Main Start ");
    EXPECT_EQ(current().names, "Main Start ");
}

TEST_F(SavingTest, AFailedSaveIsReportedAndTheOldFileAndTheDocumentStayAsTheyWere) {
    start_with_intro("");
    std::string file = open("prog.bas", "PRINT \"old\"\r\n");
    type("PRINT \"new\"\r\n");
    fill_the_disk();
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), "PRINT \"old\"\r\n");
    EXPECT_TRUE(modified());
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_CANUNDO), 1);
    ASSERT_EQ(requesters->shown.size(), 1u);
    expect_dialog(0, "Save", "Couldn't save " + file + "\nNo space left on device");
    EXPECT_EQ(QDir(QString::fromStdString(path(""))).entryList(QDir::Files).size(), 1);

    // Save As into a folder that does not exist fails for any user, root included.
    app->file_write_hooks = {};
    requesters->shown.clear();
    std::string missing = path("no/such/folder/other.bas");
    requesters->files.push_back(missing);
    run_command(*app, menu_id::save_as);
    ASSERT_EQ(requesters->shown.size(), 2u);
    expect_dialog(1, "Save", "Couldn't save " + missing + "\nNo such file or directory");
    EXPECT_EQ(current().path, file);
    EXPECT_EQ(tab_text(app->documents.current), "prog.bas *"); // still unsaved
    EXPECT_TRUE(modified());
}

TEST_F(SavingTest, IntroTextIsSavedForNewDocumentsAndTheDocumentKeepsItsChanges) {
    start_with_intro("old intro\r\n");
    type("' my header\r\n");
    requesters->answers.push_back(Answer::No);
    save_intro_text(*app);
    expect_dialog(0, "Intro Text", "Save current code as\nnew file Intro text?", Buttons::YesNo);
    expect_dialog(1, "Intro Text", "Save cancelled");
    EXPECT_EQ(read_file(data_folder() + "newfile.txt"), "old intro\r\n");

    requesters->answers.push_back(Answer::Yes);
    save_intro_text(*app);
    EXPECT_EQ(requesters->shown.size(), 3u);
    EXPECT_EQ(read_file(data_folder() + "newfile.txt"), "old intro\r\n' my header\r\n");
    EXPECT_TRUE(modified()); // its own file was not written
    run_command(*app, menu_id::new_file);
    EXPECT_EQ(sci_text(app->editor), "old intro\r\n' my header\r\n");

    fill_the_disk();
    type("more");
    requesters->answers.push_back(Answer::Yes);
    save_intro_text(*app);
    expect_dialog(4, "Intro Text",
                  "Couldn't save " + data_folder() + "newfile.txt\nNo space left on device");
    EXPECT_EQ(app->intro_text, "old intro\r\n' my header\r\n");
}

TEST_F(SavingTest, SaveRequestersStartFromTheDocumentsNameAndRefusePatterns) {
    start_with_intro("");
    type("PRINT 1\r\n");
    sci_send(app->editor, Sci::SCI_SELECTALL);
    struct Case {
        int command;
        std::string title;
    };
    for (const Case& c : {Case{menu_id::save, "Save"}, Case{menu_id::save_as, "Save"},
                          Case{menu_id::save_selection, "Save Selection"}}) {
        for (const char* typed : {"*.bas", "prog?.bas"}) {
            SCOPED_TRACE(std::to_string(c.command) + typed);
            requesters->shown.clear();
            requesters->files.push_back(path(typed));
            run_command(*app, c.command);
            ASSERT_EQ(requesters->shown.size(), 2u);
            expect_dialog(0, c.title, documents_folder + "untitled.bas");
            expect_dialog(1, c.title,
                          std::string("A file name can't contain \"*\" or \"?\":\n") + typed +
                              "\nNothing was saved.");
            EXPECT_FALSE(QFile::exists(QString::fromStdString(path(typed))));
            EXPECT_EQ(current().file_name, "untitled.bas");
            EXPECT_TRUE(modified());
        }
    }
    // Enter on the pre-filled name saves under it; an opened file offers its own name.
    requesters->shown.clear();
    requesters->files.push_back(documents_folder + "untitled.bas");
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(documents_folder + "untitled.bas"), "PRINT 1\r\n");
    open("game.bas", "A");
    requesters->shown.clear();
    requesters->files.push_back("");
    run_command(*app, menu_id::save_as);
    expect_dialog(0, "Save", path("game.bas"));
}

TEST_F(SavingTest, EveryWriteOfCharactersBeyondOneByteAsksFirstAndNoGoesThere) {
    start_with_intro("");
    const std::string file = open("arrow.bas", "");
    // U+2192 on line 2, smart quotes on line 3: three characters a byte cannot hold.
    const std::string text = "10 PRINT 1\r\n20 A\xE2\x86\x92"
                             "B\r\n30 \xE2\x80\x9Cq\xE2\x80\x9D\r\n";
    sci_set_text(app->editor, text);
    const std::string question =
        "3 characters can't be stored in a file of one byte per character (codes 0 to 255) and "
        "would each be saved as \"?\". The first is on line 2.\n\nSave anyway? No goes to line 2 "
        "without saving.";
    struct Case {
        int command;
        const char* title;
        std::string target; // what the requester answers, when one opens
    };
    for (const Case& c :
         {Case{menu_id::save, "Save", ""}, Case{menu_id::save_as, "Save", path("other.bas")},
          Case{menu_id::save_selection, "Save Selection", path("part.bas")}}) {
        SCOPED_TRACE(c.title);
        const std::string written = c.target.empty() ? file : c.target;
        const bool existed = QFile::exists(QString::fromStdString(written));
        const std::string before = existed ? read_file(written) : "";
        sci_send(app->editor, Sci::SCI_SELECTALL);
        requesters->shown.clear();
        requesters->answers.push_back(Answer::No);
        run_command(*app, c.command);
        ASSERT_EQ(requesters->shown.size(), 1u); // asked before any requester
        expect_dialog(0, c.title, question, Buttons::YesNo);
        EXPECT_EQ(QFile::exists(QString::fromStdString(written)), existed);
        if (existed) EXPECT_EQ(read_file(written), before);
        EXPECT_EQ(sci_current_pos(app->editor), 16); // at the arrow

        sci_send(app->editor, Sci::SCI_SELECTALL);
        requesters->shown.clear();
        requesters->answers.push_back(Answer::Yes);
        if (!c.target.empty()) requesters->files.push_back(c.target);
        run_command(*app, c.command);
        EXPECT_EQ(read_file(written), "10 PRINT 1\r\n20 A?B\r\n30 ?q?\r\n");
    }
    // The close prompt's Yes asks too; No there keeps the document open.
    type("x");
    requesters->shown.clear();
    requesters->answers = {Answer::Yes, Answer::No};
    close_with_prompt(*app, app->documents.current, 0);
    EXPECT_EQ(app->documents.count(), 2);
    ASSERT_EQ(requesters->shown.size(), 2u);
    EXPECT_EQ(requesters->shown[1].text, question);
}

TEST_F(SavingTest, AUtf8FileIsKeptByteForByteAndTypedCharactersBeyondOneByteAreNoted) {
    start_with_intro("");
    const std::string utf8 = "PRINT \"A\xE2\x86\x92"
                             "B caf\xC3\xA9\"\n";
    const std::string file = open("utf8.bas", utf8);
    EXPECT_EQ(current().encoding, TextEncoding::utf8);
    EXPECT_EQ(sci_text(app->editor), utf8);
    EXPECT_EQ(app->window->statusBar()->currentMessage().toStdString(),
              "UTF-8 file: characters above 255 are kept");
    EXPECT_EQ(app->status_line.fields[3]->text().toStdString(), "UTF-8, LF");
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), utf8);
    type("\xE2\x82\xAC"); // no question: the file keeps it
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(file), utf8 + "\xE2\x82\xAC");
    EXPECT_TRUE(requesters->shown.empty());

    // An 8-bit file stays 8-bit, and typing a character it cannot hold says so at once.
    const std::string latin = "PRINT \"caf\xE9\"\r\n";
    const std::string eight_bit = open("latin.bas", latin);
    EXPECT_EQ(current().encoding, TextEncoding::latin1);
    EXPECT_EQ(app->status_line.fields[3]->text().toStdString(), "Latin-1, CRLF");
    app->window->statusBar()->clearMessage();
    QApplication::clipboard()->setText(QString::fromUtf8("\xE2\x86\x92"));
    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    run_command(*app, menu_id::paste);
    process_events();
    EXPECT_EQ(sci_text(app->editor), "PRINT \"caf\xC3\xA9\"\r\n\xE2\x86\x92");
    EXPECT_NE(app->window->statusBar()->currentMessage().toStdString().find("can't be saved"),
              std::string::npos);
    requesters->answers.push_back(Answer::No);
    run_command(*app, menu_id::save);
    EXPECT_EQ(read_file(eight_bit), latin);
    EXPECT_EQ(requesters->shown.size(), 1u);
}
