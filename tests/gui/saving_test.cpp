// Saving: Save, Save As, the save-changes prompt, the intro text and the shutdown that asks.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>

#include <unistd.h>

namespace {

class SavingTest : public AppFixture {
  protected:
    void start_with_intro(const std::string& intro) {
        AppFixture::start_with_intro(intro);
        app->settings.confirm_before_exit = 0;
    }
    // Opens `bytes` as the file `name` in the temporary home; it becomes the current document.
    std::string open(const std::string& name, const std::string& bytes) {
        std::string file = path(name);
        write_file(file, bytes);
        open_files(*app, file);
        return file;
    }
    void type(const std::string& text) {
        sci_send(app->editor, Sci::SCI_DOCUMENTEND);
        sci_add_text(app->editor, text);
    }
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    const Document& current() const { return app->documents.documents[app->documents.current]; }
    std::string tab_text(int position) const { return app->tab_bar->bar().items[position].text; }
    void expect_dialog(std::size_t index, const std::string& title, const std::string& text,
                       Buttons buttons = Buttons::Ok) {
        ASSERT_LT(index, requesters->shown.size());
        EXPECT_EQ(requesters->shown[index].title, title);
        EXPECT_EQ(requesters->shown[index].text, text);
        EXPECT_EQ(requesters->shown[index].buttons, buttons);
    }
    // Makes every write fail as a full disk does, after the first chunk.
    void fill_the_disk() {
        app->file_write_hooks.before_chunk = [](std::size_t, std::size_t) {
            return std::string("No space left on device");
        };
    }
};

// Every byte but CR and LF (zero included), on lines ended as the line-end mode wants.
std::string every_byte_on_lines(const char* line_end) {
    std::string text;
    for (int c = 0; c < 256; ++c) {
        if (c == '\r' || c == '\n') continue;
        text.push_back(static_cast<char>(c));
        if (c % 32 == 31) text += line_end;
    }
    return text + line_end;
}

} // namespace

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
    EXPECT_EQ(app->status_fields[3]->text().toStdString(), "UTF-8, LF");
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
    EXPECT_EQ(app->status_fields[3]->text().toStdString(), "Latin-1, CRLF");
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
