// Documents: opening files and lists of files, reopening at start-up, line ends and margins.
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
#include "gui/documents_fixture.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTest>

#include <functional>

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
    Q_EMIT app->editor->files_dropped(a + "\n" + path(""));
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
    // The choice is kept for the next start.
    EXPECT_EQ(app->settings.label_list_sorted, 1);
    file_order->trigger();
    EXPECT_EQ(labels(), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(app->settings.label_list_sorted, 0);
    EXPECT_GE(app->splitter->handleWidth(), 7);
}

TEST_F(DocumentsTest, TheLabelListWidensToItsNamesUntilTheUserSetsItsWidth) {
    start_with_intro("");
    const QString long_name = QStringLiteral("ReadTheTemperatureSensorsAndLogThem");
    const std::string file = path("long.bas");
    write_file(file, "Sub " + long_name.toStdString() + "\r\nEnd Sub\r\n");
    auto list_width = [&] { return app->splitter->sizes().at(1); };
    const int before = list_width();
    open_files(*app, file);
    const int name_width = app->label_list->fontMetrics().horizontalAdvance(long_name);
    EXPECT_GT(list_width(), before);
    EXPECT_GE(list_width(), std::min(name_width, app->splitter->width() / 3 - 30));
    EXPECT_LE(list_width(), app->splitter->width() / 3);

    // A drag of the handle sets the width; names no longer change it.
    QSplitterHandle* handle = app->splitter->handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(handle, QPoint(60, 10));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(app->settings.label_list_sized, 1);
    const int chosen = list_width();
    const std::string longer = path("longer.bas");
    write_file(longer, "Sub " + long_name.toStdString() + "AndMoreAndMore\r\nEnd Sub\r\n");
    open_files(*app, longer);
    EXPECT_EQ(list_width(), chosen);
}
