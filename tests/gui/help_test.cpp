// Help while writing, through keys and menu ids: Syntax Help, call tips, completion, the help
// window and the external links.
#include "support/app_fixture.h"

#include "app/commands.h"
#include "app/help_command_list.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include "help/help_state.h"
#include "help/help_window.h"
#include <QListWidget>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

namespace {

class HelpTest : public AppFixture {
  protected:
    void SetUp() override {
        start();
        ASSERT_TRUE(app && app->editor);
        app->editor->setFocus();
    }
    QsciScintillaBase* editor() { return app->editor; }
    HelpState& help() { return *app->help; }
    void put(const std::string& text, SciPos caret = -1) {
        sci_set_text(editor(), text);
        sci_send(editor(), Sci::SCI_GOTOPOS,
                 static_cast<unsigned long>(caret < 0 ? sci_length(editor()) : caret));
        process_events();
    }
    void type(const char* text) {
        QTest::keyClicks(editor(), QString::fromLatin1(text));
        process_events();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(editor(), k, modifiers);
        process_events();
    }
    bool tip_shown() { return sci_send(editor(), Sci::SCI_CALLTIPACTIVE) != 0; }
    bool list_shown() { return sci_send(editor(), Sci::SCI_AUTOCACTIVE) != 0; }
    std::string highlighted() {
        return help().tip_text.substr(help().tip_highlight_start,
                                      help().tip_highlight_end - help().tip_highlight_start);
    }
    std::vector<std::string> visible_contents() {
        std::vector<std::string> rows;
        QListWidget* list = help().window->contents;
        for (int row = 0; row < list->count(); ++row)
            if (!list->item(row)->isHidden()) rows.push_back(list->item(row)->text().toStdString());
        return rows;
    }
};

TEST_F(HelpTest, SyntaxHelpShowsTheTipOfTheKeywordAtOrBeforeTheCaret) {
    run_command(*app, menu_id::new_file);
    const int current = app->documents.current;
    ASSERT_EQ(app->documents.count(), 2);
    put("x = LEFT$(a$, 2)");
    sci_send(editor(), Sci::SCI_GOTOPOS, 15); // after the 2
    run_command(*app, menu_id::syntax_help);
    ASSERT_TRUE(tip_shown());
    EXPECT_EQ(help().tip_text.rfind("LEFT$(string$, count)\n", 0), 0u) << help().tip_text;
    EXPECT_NE(help().tip_text.find("first count characters"), std::string::npos);
    EXPECT_EQ(help().tip_anchor, 4);
    EXPECT_EQ(highlighted(), "count");
    EXPECT_EQ(app->documents.current, current);
    EXPECT_FALSE(help().window);

    // A keyword at the very start and at the very end of the text.
    put("PRINT", 0);
    run_command(*app, menu_id::syntax_help);
    EXPECT_TRUE(tip_shown());
    EXPECT_EQ(help().tip_text.rfind("PRINT", 0), 0u);
    put("a = 1\r\nCLS");
    run_command(*app, menu_id::syntax_help);
    EXPECT_EQ(help().tip_text.rfind("CLS", 0), 0u);
    key(Qt::Key_Escape);
    EXPECT_FALSE(tip_shown());
}

TEST_F(HelpTest, SyntaxHelpWithoutAKeywordListsEveryKeywordSearchably) {
    put("x = y + 1");
    run_command(*app, menu_id::syntax_help);
    EXPECT_FALSE(tip_shown());
    ASSERT_TRUE(help().window);
    EXPECT_TRUE(help().window->isVisible());
    EXPECT_GE(visible_contents().size(), 530u);
    help().window->search_field->setText(QStringLiteral("Rounded Corners"));
    EXPECT_EQ(visible_contents(), std::vector<std::string>{"RBOX"});
    EXPECT_NE(help().window->text->toPlainText().indexOf(QStringLiteral("RBOX x, y, w, h")), -1);
    help().window->search_field->setText(QStringLiteral("radius"));
    const std::vector<std::string> found = visible_contents();
    EXPECT_NE(std::find(found.begin(), found.end(), "CIRCLE"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), "RBOX"), found.end());
    help().window->search_field->setText(QStringLiteral("no such words anywhere"));
    EXPECT_TRUE(visible_contents().empty());
    EXPECT_EQ(app->documents.current, 0);
}

TEST_F(HelpTest, F1IsSyntaxHelp) {
    put("CIRCLE 1, 2");
    app->window->activateWindow();
    QTest::keyClick(editor(), Qt::Key_F1);
    process_events();
    EXPECT_TRUE(tip_shown());
    EXPECT_EQ(help().tip_text.rfind("CIRCLE", 0), 0u);
}

TEST_F(HelpTest, CallTipWhileTypingFollowsTheArgumentAndCloses) {
    put("");
    type("BOX ");
    ASSERT_TRUE(tip_shown());
    EXPECT_EQ(help().tip_text.rfind("BOX x, y, w, h", 0), 0u);
    EXPECT_EQ(highlighted(), "x");
    type("10, 20, ");
    EXPECT_EQ(highlighted(), "w");
    type("\"a,b\", ");
    EXPECT_EQ(highlighted(), "h");
    key(Qt::Key_Escape);
    EXPECT_FALSE(tip_shown());

    // Functions open on "("; closing the parenthesis or leaving the line closes the tip.
    key(Qt::Key_Return);
    type("q = MID$(");
    ASSERT_TRUE(tip_shown());
    EXPECT_EQ(highlighted(), "string$");
    type("s$, 2)");
    EXPECT_FALSE(tip_shown());
    type(" + RIGHT$(");
    ASSERT_TRUE(tip_shown());
    key(Qt::Key_Up);
    EXPECT_FALSE(tip_shown());
}

TEST_F(HelpTest, CallTipClosesWhenItsKeywordGoes) {
    put("");
    type("PRINT ");
    ASSERT_TRUE(tip_shown());
    put("");
    EXPECT_FALSE(tip_shown());
    type("CLS ");
    ASSERT_TRUE(tip_shown());
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    EXPECT_FALSE(tip_shown());
}

TEST_F(HelpTest, NoCallTipInStringsCommentsOrForWordsWithoutArguments) {
    put("");
    type("a$ = \"BOX ");
    EXPECT_FALSE(tip_shown());
    put("");
    type("' BOX ");
    EXPECT_FALSE(tip_shown());
    put("");
    type("xyz(");
    EXPECT_FALSE(tip_shown());
    put("");
    type("NEW ");
    EXPECT_FALSE(tip_shown());
}

TEST_F(HelpTest, CallTipOnAVeryLongLineStaysSafe) {
    put(std::string(1 << 20, 'x') + " ");
    type("BOX ");
    EXPECT_FALSE(tip_shown());
    run_command(*app, menu_id::syntax_help);
    EXPECT_TRUE(tip_shown()); // the keyword just before the caret is near it
}

TEST_F(HelpTest, CompletionListsNamesFirstAndEnterStaysALineEnd) {
    write_file(path("names.bas"), "SUB DrawScreen\r\nEND SUB\r\n");
    open_files(*app, path("names.bas"));
    process_events();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app->documents.current_names.find("DrawScreen") != std::string::npos; },
        3000));
    sci_send(editor(), Sci::SCI_DOCUMENTEND);
    app->settings.options.upper_case = 1;
    type("dr");
    EXPECT_FALSE(list_shown());
    type("a");
    ASSERT_TRUE(list_shown());
    ASSERT_GE(help().completion.size(), 2u);
    EXPECT_EQ(help().completion[0], "DrawScreen");
    EXPECT_EQ(help().completion[1], "DRAW3D");
    // Nothing looks chosen before an arrow key picks an item, since Return would not take it.
    auto chosen_looks_plain = [&] {
        QListWidget* list = app->editor->completion_list();
        return list &&
               list->palette().color(QPalette::Highlight) == list->palette().color(QPalette::Base);
    };
    EXPECT_TRUE(chosen_looks_plain());
    // Enter without choosing: a line end, the word as typed.
    key(Qt::Key_Return);
    EXPECT_FALSE(list_shown());
    EXPECT_EQ(sci_text(editor()), "SUB DrawScreen\r\nEND SUB\r\ndra\r\n");

    // Chosen with the arrows: the item in the case of its definition, no line end.
    type("dra");
    ASSERT_TRUE(list_shown());
    EXPECT_TRUE(chosen_looks_plain());
    key(Qt::Key_Down);
    EXPECT_FALSE(chosen_looks_plain());
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    EXPECT_FALSE(list_shown());
    EXPECT_EQ(sci_text(editor()), "SUB DrawScreen\r\nEND SUB\r\ndra\r\nDrawScreen");
}

TEST_F(HelpTest, TabGoesIntoTheTextUnlessAnItemWasPicked) {
    put("");
    type("circ");
    ASSERT_TRUE(list_shown());
    key(Qt::Key_Tab);
    EXPECT_FALSE(list_shown());
    EXPECT_EQ(sci_text(editor()).substr(0, 4), "circ");
    EXPECT_GT(sci_text(editor()).size(), 4u); // the Tab's indentation
    put("");
    type("circ");
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    EXPECT_EQ(sci_text(editor()), "CIRCLE");
    // Escape closes the list and leaves the text.
    put("");
    type("circ");
    key(Qt::Key_Escape);
    EXPECT_FALSE(list_shown());
    EXPECT_EQ(sci_text(editor()), "circ");
}

TEST_F(HelpTest, CompletionKeywordCaseFollowsTheCapitalizeOption) {
    put("");
    app->settings.options.upper_case = 0;
    type("circ");
    ASSERT_TRUE(list_shown());
    EXPECT_EQ(help().completion, std::vector<std::string>{"circle"});
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(sci_text(editor()), "circle");
    app->settings.options.upper_case = 1;
    put("");
    type("circ");
    EXPECT_EQ(help().completion, std::vector<std::string>{"CIRCLE"});
}

TEST_F(HelpTest, CompletionNeverOpensInStringsOrComments) {
    put("");
    type("PRINT \"circ");
    EXPECT_FALSE(list_shown());
    put("");
    type("x = 1 ' circ");
    EXPECT_FALSE(list_shown());
    put("");
    type("REM circ");
    EXPECT_FALSE(list_shown());
    put("PRINT \"ab\" + ");
    type("circ");
    EXPECT_TRUE(list_shown());
}

TEST_F(HelpTest, CtrlSpaceCompletesAtOnce) {
    put("");
    type("ci");
    EXPECT_FALSE(list_shown());
    key(Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(list_shown());
    EXPECT_EQ(help().completion, (std::vector<std::string>{"CIN", "CINT", "CIRCLE"}));
    EXPECT_EQ(sci_text(editor()), "ci");
}

TEST_F(HelpTest, GuideAndChangeLogShowWithContentsAndSearch) {
    run_command(*app, menu_id::editor_help);
    ASSERT_TRUE(help().window);
    EXPECT_TRUE(help().window->isVisible());
    EXPECT_EQ(help().window->windowTitle(), QStringLiteral("Zell Edit Help"));
    const std::vector<std::string> headings = visible_contents();
    EXPECT_GE(headings.size(), 8u);
    EXPECT_NE(std::find(headings.begin(), headings.end(), "Portable mode"), headings.end());
    help().window->search_field->setText(QStringLiteral("dialout"));
    const std::vector<std::string> found = visible_contents();
    ASSERT_FALSE(found.empty());
    EXPECT_LT(found.size(), headings.size());
    EXPECT_TRUE(
        help().window->text->textCursor().selectedText().contains(QStringLiteral("dialout")));

    run_command(*app, menu_id::change_log);
    EXPECT_EQ(help().window->windowTitle(), QStringLiteral("Change Log"));
    EXPECT_NE(help().window->text->toPlainText().indexOf(QStringLiteral("Change log")), -1);
    EXPECT_EQ(app->documents.current, 0);
}

class HelpLinksTest : public AppFixture {};

TEST_F(HelpLinksTest, LinksFileSetsTheExternalResourcesItems) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zelllinks.txt",
               "' my links\nForum | https://example.org/forum\nA & B | file:///tmp/x.pdf\n");
    start();
    ASSERT_TRUE(app);
    QAction* first = app->menu_actions.at(menu_id::external_first);
    EXPECT_EQ(first->text(), QStringLiteral("Forum"));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(app->menu_actions.at(menu_id::external_first + 1)->text(), QStringLiteral("A && B"));
    for (int id = menu_id::external_first + 2; id <= menu_id::external_last; ++id)
        EXPECT_FALSE(app->menu_actions.at(id)->isVisible()) << id;
    EXPECT_FALSE(is_command_enabled(*app, menu_id::external_last));

    std::vector<std::string> opened;
    app->help->open_url = [&](const std::string& address) {
        opened.push_back(address);
        return address.starts_with("https:");
    };
    run_command(*app, menu_id::external_first);
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/forum"});
    requesters->answers.push_back(Answer::Ok);
    const std::size_t dialogs = requesters->shown.size();
    run_command(*app, menu_id::external_first + 1);
    ASSERT_EQ(requesters->shown.size(), dialogs + 1);
    EXPECT_EQ(requesters->shown.back().title, "External resources");
    run_command(*app, menu_id::external_last); // unset: nothing happens
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(HelpLinksTest, EditLinksOpensTheLinksFileMadeWhenMissing) {
    start();
    ASSERT_TRUE(app);
    run_command(*app, menu_id::change_log);
    ASSERT_TRUE(app->help->window);
    QTest::mouseClick(app->help->window->edit_links, Qt::LeftButton);
    process_events();
    const std::string path = data_folder() + "Zelllinks.txt";
    EXPECT_EQ(app->documents.current_document()->path, path);
    EXPECT_EQ(read_file(path).rfind("' ", 0), 0u);
    // The user adds a link and saves; the submenu shows it when it opens next.
    write_file(path, read_file(path) + "Notes | https://example.org/notes\n");
    refresh_external_links(*app);
    EXPECT_EQ(app->menu_actions.at(menu_id::external_first)->text(), QStringLiteral("Notes"));
    EXPECT_TRUE(app->menu_actions.at(menu_id::external_first)->isVisible());
}

TEST_F(HelpLinksTest, WithoutALinkOneItemAddsLinks) {
    start();
    ASSERT_TRUE(app);
    QAction* first = app->menu_actions.at(menu_id::external_first);
    EXPECT_EQ(first->text(), QString::fromUtf8("Add links\xE2\x80\xA6"));
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(is_command_enabled(*app, menu_id::external_first));
    for (int id = menu_id::external_first + 1; id <= menu_id::external_last; ++id)
        EXPECT_FALSE(app->menu_actions.at(id)->isVisible()) << id;
    run_command(*app, menu_id::external_first);
    EXPECT_EQ(app->documents.current_document()->path, data_folder() + "Zelllinks.txt");
}

TEST_F(HelpLinksTest, UsersHelpFileInTheDataFolderIsUsed) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellhelp.dat", "MYSUB\n  MYSUB a, b\n= Mine.\n");
    start();
    ASSERT_TRUE(app);
    sci_set_text(app->editor, "MYSUB 1, 2");
    sci_send(app->editor, Sci::SCI_GOTOPOS, 10);
    run_command(*app, menu_id::syntax_help);
    EXPECT_EQ(app->help->tip_text, "MYSUB a, b\nMine.");
}

} // namespace
