// Documents: creating, switching, closing, the label list and opening files.
#include "app/commands.h"
#include "app/menu_ids.h"
#include "app/startup.h"
#include "documents/document_commands.h"
#include "documents/navigation.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTest>

#include <functional>

namespace {

class DocumentsTest : public AppFixture {
  protected:
    std::vector<std::string> labels() const {
        std::vector<std::string> items;
        for (int i = 0; i < app->label_list->count(); ++i)
            items.push_back(app->label_list->item(i)->text().toStdString());
        return items;
    }
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    void type(const QString& text) {
        app->editor->setFocus();
        QTest::keyClicks(app->editor, text);
        process_events();
    }
    std::string numbered_lines(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "x = " + std::to_string(i) + "\r\n";
        return text;
    }
};

} // namespace

TEST_F(DocumentsTest, NewDocumentHoldsTheIntroTextUnmodifiedWithNothingToUndo) {
    start_with_intro("' my header\r\n");
    ASSERT_EQ(app->documents.count(), 1);
    const Document& document = app->documents.documents[0];
    EXPECT_EQ(document.file_name, "untitled.bas");
    EXPECT_EQ(document.path, documents_folder + "untitled.bas");
    EXPECT_EQ(sci_text(app->editor), "' my header\r\n");
    EXPECT_FALSE(modified());
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_CANUNDO), 0);
    run_command(*app, menu_id::new_file);
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.documents[1].file_name, "untitled.bas");
    EXPECT_EQ(app->documents.current, 1);
}

TEST_F(DocumentsTest, SwitchingRestoresCaretAndFirstVisibleLineExactly) {
    start_with_intro("");
    set_editor_text(*app, numbered_lines(300), true);
    sci_send(app->editor, Sci::SCI_SETFIRSTVISIBLELINE, 120);
    sci_send(app->editor, Sci::SCI_GOTOPOS, sci_position_from_line(app->editor, 130) + 2);
    long caret = sci_current_pos(app->editor);
    long first = sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE);
    new_document(*app);
    set_editor_text(*app, "other\r\n", true);
    activate_document(*app, 0);
    EXPECT_EQ(sci_current_pos(app->editor), caret);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE), first);
    EXPECT_EQ(sci_line_count(app->editor), 301);
    activate_document(*app, 1);
    EXPECT_EQ(sci_text(app->editor), "other\r\n");
}

TEST_F(DocumentsTest, ClosingTheFirstOfThreeActivatesTheLast) {
    start_with_intro("");
    std::string a = path("a.bas"), b = path("b.bas");
    write_file(a, "A\r\n");
    write_file(b, "B\r\n");
    open_files(*app, a + "\n" + b);
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(remove_document(*app, 0), 1);
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.documents[0].path, a);
    EXPECT_EQ(app->documents.documents[1].path, b);
    EXPECT_EQ(app->documents.current, 1);
    EXPECT_EQ(sci_text(app->editor), "B\r\n");
}

TEST_F(DocumentsTest, ClosingTheLastDocumentLeavesANewOne) {
    start_with_intro("intro\r\n");
    remove_document(*app, 0);
    ASSERT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->documents.documents[0].file_name, "untitled.bas");
    EXPECT_EQ(sci_text(app->editor), "intro\r\n");
}

TEST_F(DocumentsTest, ManyOpensAndClosesKeepEveryListedDocumentIntact) {
    start_with_intro("");
    std::string file = path("loop.bas");
    write_file(file, "PRINT 1\r\n");
    for (int i = 0; i < 200; ++i) {
        open_files(*app, file);
        if (i % 3 == 0) remove_document(*app, 0);
    }
    for (int i = 0; i < app->documents.count(); ++i) {
        activate_document(*app, i);
        EXPECT_FALSE(sci_text(app->editor).empty()) << i;
    }
}

TEST_F(DocumentsTest, LabelListShowsNamesWithoutTheirColonForms) {
    start_with_intro("");
    std::string file = path("names.bas");
    write_file(
        file, "Sub Main\r\nStart:\r\n  PRINT 1\r\nEnd Sub\r\nFunction Area(w)\r\nSub Draw(x, y)\r\n"
              "Sub Last");
    open_files(*app, file);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Main", "Start", "Area", "Draw", "Last"}));
    EXPECT_EQ(find_name_line(*app, "Draw"), 5);
    EXPECT_EQ(find_name_line(*app, "Area"), 4);
    EXPECT_EQ(find_name_line(*app, "start"), -1); // letter case counts
    EXPECT_EQ(find_name_line(*app, "Start"), 1);
    EXPECT_EQ(find_name_line(*app, "Last"), 6);
}

TEST_F(DocumentsTest, NamesTypedAppearInTheLabelList) {
    start_with_intro("");
    app->editor->setFocus();
    type(QStringLiteral("Begin:"));
    run_command(*app, menu_id::return_key);
    type(QStringLiteral("Sub Draw"));
    run_command(*app, menu_id::return_key);
    type(QStringLiteral("x = 1"));
    process_events();
    std::vector<std::string> items = labels();
    EXPECT_NE(std::find(items.begin(), items.end(), "Begin"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), "Draw"), items.end());
    // A part of a name already listed is a name of its own; the same name in other letters
    // is not listed twice.
    add_name(*app, app->documents.current, "Dra");
    add_name(*app, app->documents.current, "DRAW");
    process_events();
    items = labels();
    EXPECT_EQ(std::count(items.begin(), items.end(), "Dra"), 1);
    EXPECT_EQ(std::count(items.begin(), items.end(), "DRAW"), 0);
}

TEST_F(DocumentsTest, NamesStayWithTheirDocument) {
    start_with_intro("");
    std::string a = path("a.bas"), b = path("b.bas");
    write_file(a, "Alpha:\r\n");
    write_file(b, "Sub Beta\r\n");
    open_files(*app, a + "\n" + b);
    EXPECT_EQ(labels(), std::vector<std::string>{"Beta"});
    activate_document(*app, 1);
    EXPECT_EQ(labels(), std::vector<std::string>{"Alpha"});
    activate_document(*app, 2);
    EXPECT_EQ(labels(), std::vector<std::string>{"Beta"});
}

TEST_F(DocumentsTest, BookmarksWrapAroundWithTheScrollMargin) {
    start_with_intro("");
    set_editor_text(*app, numbered_lines(200), true);
    for (long line : {30L, 100L}) {
        sci_send(app->editor, Sci::SCI_GOTOLINE, static_cast<unsigned long>(line));
        run_command(*app, menu_id::toggle_bookmark);
    }
    sci_send(app->editor, Sci::SCI_GOTOLINE, 50);
    run_command(*app, menu_id::next_bookmark);
    EXPECT_EQ(sci_caret_line(app->editor), 100);
    run_command(*app, menu_id::next_bookmark); // wraps
    EXPECT_EQ(sci_caret_line(app->editor), 30);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETFIRSTVISIBLELINE), 20);
    run_command(*app, menu_id::previous_bookmark); // wraps backwards
    EXPECT_EQ(sci_caret_line(app->editor), 100);
    run_command(*app, menu_id::previous_bookmark);
    EXPECT_EQ(sci_caret_line(app->editor), 30);
    run_command(*app, menu_id::toggle_bookmark); // off again
    run_command(*app, menu_id::next_bookmark);
    EXPECT_EQ(sci_caret_line(app->editor), 100);
}

TEST_F(DocumentsTest, GotoLineTakesOnlyNumbersFromOneUp) {
    start_with_intro("");
    set_editor_text(*app, numbered_lines(50), true);
    auto go = [&](std::optional<std::string> answer) {
        sci_send(app->editor, Sci::SCI_GOTOLINE, 20);
        requesters->inputs.push_back(answer);
        run_command(*app, menu_id::goto_line);
        return sci_caret_line(app->editor);
    };
    EXPECT_EQ(go("1"), 0);
    EXPECT_EQ(requesters->shown.back().title, "Goto");
    EXPECT_EQ(requesters->shown.back().text, "Line Number");
    EXPECT_EQ(go("0"), 20);
    EXPECT_EQ(go(""), 20);
    EXPECT_EQ(go("abc"), 20);
    EXPECT_EQ(go("-5"), 20);
    EXPECT_EQ(go(std::nullopt), 20);
    EXPECT_EQ(go("99999999999"), 50); // the last line
    EXPECT_EQ(go("12"), 11);
}

TEST_F(DocumentsTest, JumpingTwiceAndGoingBackTwice) {
    start_with_intro("");
    std::string file = path("jump.bas");
    std::string text = numbered_lines(40) + "Sub One\r\n" + numbered_lines(40) + "Two:\r\n";
    write_file(file, text);
    open_files(*app, file);
    sci_send(app->editor, Sci::SCI_GOTOLINE, 5);
    app->label_list->setCurrentRow(0);
    jump_to_name(*app);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
    app->label_list->setCurrentRow(1);
    jump_to_name(*app);
    EXPECT_EQ(sci_caret_line(app->editor), 81);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
    // Once back, further presses do nothing until the next jump.
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
    // A cancelled Goto is no jump; one that happens is.
    requesters->inputs = {std::nullopt, std::string("10")};
    run_command(*app, menu_id::goto_line);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
    run_command(*app, menu_id::goto_line);
    EXPECT_EQ(sci_caret_line(app->editor), 9);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 40);
}

TEST_F(DocumentsTest, StatusBarShowsLineCountAndPath) {
    start_with_intro("");
    set_editor_text(*app, numbered_lines(339), true);
    sci_send(app->editor, Sci::SCI_GOTOLINE, 11);
    process_events();
    show_line_status(*app);
    EXPECT_EQ(app->status_fields[1]->text().toStdString(), "Line: 12/340");
    EXPECT_EQ(app->status_fields[2]->text().toStdString(), documents_folder + "untitled.bas");
}

TEST_F(DocumentsTest, OpeningAListSkipsWhatCannotBeRead) {
    start_with_intro("");
    std::string a = path("a.bas"), c = path("empty.bas");
    write_file(a, "PRINT 1\r\n");
    write_file(c, "");
    open_files(*app, a + "\n" + path("missing.bas") + "\n\n" + path("") + "\n" + c + "\n");
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(app->documents.documents[1].path, a);
    EXPECT_EQ(app->documents.documents[2].path, c);
    EXPECT_EQ(app->documents.current, 2);
    EXPECT_EQ(sci_text(app->editor), ""); // not the previous file's text
    EXPECT_TRUE(requesters->shown.empty());
}

TEST_F(DocumentsTest, NothingOpenableGivesANewDocument) {
    start_with_intro("intro\r\n");
    open_files(*app, path("nope.bas") + "\n" + path("."));
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.documents[1].file_name, "untitled.bas");
    EXPECT_EQ(sci_text(app->editor), "intro\r\n");
}

TEST_F(DocumentsTest, EveryFileKeepsItsLineEndsAndOpensUnmodified) {
    start_with_intro("intro\n"); // new documents take the setting's CR LF
    std::string lf = path("lf.bas"), crlf = path("crlf.bas"), cr = path("cr.bas");
    write_file(lf, "a\nb\n");
    write_file(crlf, "a\r\nb\r\n");
    write_file(cr, "a\rb\r");
    EXPECT_EQ(sci_text(app->editor), "intro\r\n");
    EXPECT_FALSE(modified());
    open_files(*app, lf + "\n" + crlf + "\n" + cr);
    const char* expected[] = {"a\nb\n", "a\r\nb\r\n", "a\rb\r"};
    for (int i = 1; i <= 3; ++i) {
        activate_document(*app, i);
        EXPECT_EQ(sci_text(app->editor), expected[i - 1]);
        EXPECT_FALSE(modified()) << i;
    }
    // Return inserts the document's own line end; the check marks show it.
    activate_document(*app, 1);
    EXPECT_TRUE(app->menu_actions.at(menu_id::unix_line_endings)->isChecked());
    EXPECT_FALSE(app->menu_actions.at(menu_id::dos_line_endings)->isChecked());
    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    app->editor->setFocus();
    run_command(*app, menu_id::return_key);
    EXPECT_EQ(sci_text(app->editor), "a\nb\n\n");
    activate_document(*app, 2);
    EXPECT_TRUE(app->menu_actions.at(menu_id::dos_line_endings)->isChecked());
    EXPECT_FALSE(app->menu_actions.at(menu_id::unix_line_endings)->isChecked());
    activate_document(*app, 3); // CR only: neither mode is ticked
    EXPECT_FALSE(app->menu_actions.at(menu_id::dos_line_endings)->isChecked());
    EXPECT_FALSE(app->menu_actions.at(menu_id::unix_line_endings)->isChecked());
}

TEST_F(DocumentsTest, QuittingAfterOpeningUnchangedFilesAsksNothingAndWritesNothing) {
    start_with_intro("");
    app->settings.confirm_before_exit = 0;
    std::string lf = path("lf.bas");
    write_file(lf, "a\nb\n");
    open_files(*app, lf);
    quit();
    EXPECT_TRUE(requesters->shown.empty());
    EXPECT_EQ(read_file(lf), "a\nb\n");
}

TEST_F(DocumentsTest, EveryByteIsLoadedIncludingZeroBytesAndHighBytes) {
    start_with_intro("");
    std::string bytes("PRINT \"a\0b\"\r\n", 13);
    bytes += "\xE9\xFF\r\n";
    std::string file = path("binary.bas");
    write_file(file, bytes);
    open_files(*app, file);
    EXPECT_EQ(sci_length(app->editor),
              long(bytes.size()) + 2); // two high bytes, two UTF-8 bytes each
    EXPECT_EQ(get_editor_text(app->editor), bytes);
}

TEST_F(DocumentsTest, OpenCommandReportsAnUnreadableFileAndMakesNoDocument) {
    start_with_intro("");
    std::string folder_before = app->folders.current;
    requesters->files.push_back(path("")); // a folder
    run_command(*app, menu_id::open);
    EXPECT_EQ(app->documents.count(), 1);
    ASSERT_EQ(requesters->shown.size(), 2u);
    EXPECT_EQ(requesters->shown[0].title, "Open");
    EXPECT_EQ(requesters->shown[0].text, documents_folder + "*.bas");
    EXPECT_NE(requesters->shown[1].text.find(path("")), std::string::npos);
    EXPECT_EQ(app->folders.current, folder_before);

    requesters->files.push_back(""); // cancelled
    run_command(*app, menu_id::open);
    EXPECT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->folders.current, folder_before);

    std::string file = path("sub/prog.bas");
    QDir().mkpath(QString::fromStdString(path("sub")));
    write_file(file, "PRINT 1\r\n");
    requesters->files.push_back(file);
    run_command(*app, menu_id::open);
    EXPECT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->folders.current, path("sub/"));
}

TEST_F(DocumentsTest, FilesDroppedOnTheEditorOpen) {
    start_with_intro("");
    std::string a = path("drop a.bas");
    write_file(a, "PRINT 1\r\n");
    ASSERT_TRUE(app->editor->on_files_dropped);
    app->editor->on_files_dropped(a + "\n" + path(""));
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.documents[1].path, a);
}

TEST_F(DocumentsTest, StartUpReopensTheSavedFilesUnlessABlankFileIsWanted) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    std::string a = path("a.bas"), b = path("b.bas");
    write_file(a, "A\r\n");
    write_file(b, "B\r\n");
    write_file(data_folder() + "Zelledit2.inf",
               "[Open Files]\r\nFile Count = 2\r\nFile1 = " + a + "\r\nFile2 = " + b + "\r\n");
    start();
    ASSERT_EQ(app->documents.count(), 2);
    EXPECT_EQ(app->documents.documents[0].path, a);
    EXPECT_EQ(app->documents.current, 1);
    stop();

    write_file(data_folder() + "Zelledit2.inf", "[Preferences]\r\nOpen blank file = 1\r\n"
                                                "[Open Files]\r\nFile Count = 2\r\nFile1 = " +
                                                    a + "\r\nFile2 = " + b + "\r\n");
    start();
    ASSERT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->documents.documents[0].file_name, "untitled.bas");
    stop();

    start({b});
    ASSERT_EQ(app->documents.count(), 1);
    EXPECT_EQ(app->documents.documents[0].path, b);
}

TEST_F(DocumentsTest, ExitRecordsTheOpenFilesInTabOrder) {
    start_with_intro("");
    app->settings.confirm_before_exit = 0;
    std::string a = path("a.bas"), b = path("b.bas");
    write_file(a, "A\r\n");
    write_file(b, "B\r\n");
    open_files(*app, a + "\n" + b);
    remove_document(*app, 0); // the untitled one
    quit();
    ASSERT_EQ(app->quit_flag, 1);
    std::string settings = read_file(data_folder() + "Zelledit2.inf");
    EXPECT_NE(settings.find("File Count = 2\r\nFile1 = " + a + "\r\nFile2 = " + b + "\r\n"),
              std::string::npos)
        << settings;
}

TEST_F(DocumentsTest, LineNumberMarginWidensAsReturnAddsTheTenthLine) {
    start_with_intro("");
    process_events();
    const int narrow = sci_margin_width(app->editor, 0);
    for (int i = 0; i < 8; ++i) run_command(*app, menu_id::return_key);
    process_events();
    EXPECT_EQ(sci_line_count(app->editor), 9);
    EXPECT_EQ(sci_margin_width(app->editor, 0), narrow);
    run_command(*app, menu_id::return_key);
    process_events();
    EXPECT_GT(sci_margin_width(app->editor, 0), narrow);
    sci_send(app->editor, Sci::SCI_UNDO);
    process_events();
    EXPECT_EQ(sci_margin_width(app->editor, 0), narrow);
}

TEST_F(DocumentsTest, AFileAlreadyOpenIsShownInsteadOfOpenedTwice) {
    start_with_intro("");
    const std::string file = path("prog.bas"), other = path("other.bas");
    write_file(file, "PRINT 1\r\n");
    write_file(other, "PRINT 2\r\n");
    QFile::link(QString::fromStdString(file), QString::fromStdString(path("link.bas")));
    open_files(*app, file + "\n" + other);
    ASSERT_EQ(app->documents.count(), 3);
    struct Case {
        const char* how;
        std::function<void()> open;
    };
    const std::vector<Case> cases = {
        {"Open",
         [&] {
             requesters->files.push_back(file);
             run_command(*app, menu_id::open);
         }},
        {"Open by a link",
         [&] {
             requesters->files.push_back(path("link.bas"));
             run_command(*app, menu_id::open);
         }},
        {"Open by another spelling", [&] { open_path(*app, path("./prog.bas")); }},
        {"a list", [&] { open_files(*app, other + "\n" + file); }},
        {"a hand-over", [&] { receive_hand_over(*app, "\n" + file); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        activate_document(*app, 2);
        c.open();
        EXPECT_EQ(app->documents.count(), 3);
        EXPECT_EQ(app->documents.current, 1);
        EXPECT_EQ(app->tab_bar->bar().selected, 1);
        EXPECT_EQ(sci_text(app->editor), "PRINT 1\r\n");
    }
    // A kept text for a file open and unchanged goes into its tab, as a change to save.
    activate_document(*app, 2);
    EXPECT_EQ(open_unsaved_document(*app, file, "PRINT 99\r\n"), 1);
    EXPECT_EQ(app->documents.count(), 3);
    EXPECT_EQ(sci_text(app->editor), "PRINT 99\r\n");
    EXPECT_TRUE(modified());
    // A second start without files only brings the window forward.
    receive_hand_over(*app, "");
    receive_hand_over(*app, "\n");
    EXPECT_EQ(app->documents.count(), 3);
    for (const ShownDialog& dialog : requesters->shown) EXPECT_EQ(dialog.kind, "open");
}

TEST_F(DocumentsTest, OpenAndInsertRequestersOfferIncludeFilesAndSaveDoesNot) {
    start_with_intro("");
    for (int id : {menu_id::open, menu_id::insert_file_after_line, menu_id::insert_file_at_end,
                   menu_id::save_as}) {
        SCOPED_TRACE(id);
        requesters->shown.clear();
        requesters->files.push_back("");
        run_command(*app, id);
        ASSERT_EQ(requesters->shown.size(), 1u);
        const std::string& filter = requesters->shown[0].filter;
        EXPECT_EQ(filter.find("MMBasic include (*.inc)|*.inc|") != std::string::npos,
                  id != menu_id::save_as);
        EXPECT_EQ(filter.rfind("Basic (*.bas)|*.bas|", 0), 0u);
    }
}

TEST_F(DocumentsTest, PhysicalLineNumbersTakeTheirMarginWithThem) {
    start_with_intro("");
    const int shown = int(sci_send(app->editor, Sci::SCI_GETMARGINWIDTHN, 0));
    const bool on = app->settings.options.line_numbers == 1;
    EXPECT_EQ(shown > 0, on);
    run_command(*app, menu_id::view_line_numbers);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMARGINWIDTHN, 0) > 0, !on);
    run_command(*app, menu_id::view_line_numbers);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMARGINWIDTHN, 0), shown);
    // A new document follows the option as well.
    run_command(*app, menu_id::view_line_numbers);
    run_command(*app, menu_id::new_file);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMARGINWIDTHN, 0) > 0, !on);
}

TEST_F(DocumentsTest, TheLabelListSortsInFileOrderOrAToZAndItsHandleCanBeGrabbed) {
    start_with_intro("");
    const std::string file = path("names.bas");
    write_file(file, "Sub Zeta\r\nEnd Sub\r\nalpha:\r\nSub Mid\r\nEnd Sub\r\n");
    open_files(*app, file);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    QAction* a_z = app->label_list->findChild<QAction*>("sort_a_z");
    QAction* file_order = app->label_list->findChild<QAction*>("sort_file_order");
    ASSERT_TRUE(a_z && file_order);
    EXPECT_TRUE(file_order->isChecked());
    a_z->trigger();
    EXPECT_EQ(labels(), (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
    EXPECT_TRUE(a_z->isChecked() && !file_order->isChecked());
    // A click jumps to the name shown, whatever the order.
    app->label_list->setCurrentRow(2);
    jump_to_name(*app);
    EXPECT_EQ(sci_caret_line(app->editor), 0);
    file_order->trigger();
    EXPECT_EQ(labels(), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    EXPECT_GE(app->splitter->handleWidth(), 7);
}
