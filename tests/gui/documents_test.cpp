// Documents: creating, switching, closing, the label list, bookmarks, jumps and the status line.
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
    show_caret_status(app->status_line, app->editor);
    EXPECT_EQ(app->status_line.fields[1]->text().toStdString(), "Line: 12/340");
    EXPECT_EQ(app->status_line.fields[2]->text().toStdString(), documents_folder + "untitled.bas");
}
