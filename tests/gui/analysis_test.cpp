// The analysis in the running editor: problems marked once an edit settles (not on the key),
// counted in the status bar and listed; go to definition into an include file and back; every
// use of a name listed with its line.
#include "analysis/analysis_context.h"
#include "analysis/analysis_view.h"
#include "app/analysis_command_list.h"
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

class AnalysisTest : public AppFixture {
  protected:
    void open_program(const std::string& name, const std::string& text) {
        const std::string file = path(name);
        write_file(file, text);
        open_files(*app, file);
        process_events();
    }
    void put_caret_on(const std::string& word, std::size_t nth = 0) {
        const std::string text = sci_text(app->editor);
        std::size_t at = text.find(word);
        for (std::size_t i = 0; i < nth; ++i) at = text.find(word, at + 1);
        ASSERT_NE(at, std::string::npos);
        sci_goto_pos(app->editor, static_cast<long>(at + 1));
    }
    std::string current_path() const {
        return app->documents.documents[app->documents.current].path;
    }
};

TEST_F(AnalysisTest, AMistakeIsMarkedOnlyAfterTheEditSettles) {
    start_with_intro("");
    open_program("p.bas", "FOR i = 1 TO 3\n  PRINT i\nNEXT i\n");
    run_analysis(analysis_context(*app));
    EXPECT_EQ(app->analysis->count->text().toStdString(), "");

    const long next = sci_position_from_line(app->editor, 2);
    sci_send(app->editor, Sci::SCI_SETSEL, static_cast<unsigned long>(next), next + 1);
    sci_send_text(app->editor, Sci::SCI_REPLACESEL, 0, ""); // "EXT i": the FOR is left open
    app->editor->repaint(); // the change is told when the editor paints
    EXPECT_TRUE(app->analysis->timer->isActive());
    EXPECT_FALSE(sci_indicator_at(app->editor, indicator_problem, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !app->analysis->stale; }, 3000));
    EXPECT_TRUE(sci_indicator_at(app->editor, indicator_problem, 0)); // under FOR
    EXPECT_EQ(app->analysis->count->text().toStdString(), "Problems: 2  Hints: 0");

    run_command(*app, menu_id::show_problems);
    ASSERT_TRUE(app->analysis->panel->isVisible());
    ASSERT_EQ(app->analysis->panel->count(), 2);
    EXPECT_NE(app->analysis->panel->item(0)->text().toStdString().find("[UNCLOSED]"),
              std::string::npos);
}

TEST_F(AnalysisTest, DefinitionAndUsesAcrossTwoIncludeLevels) {
    start_with_intro("");
    write_file(path("lib.inc"), "#INCLUDE \"deep.inc\"\nSUB Greet(who$)\n  Deeper who$\nEND SUB\n");
    write_file(path("deep.inc"), "SUB Deeper(w$)\n  PRINT w$\nEND SUB\n");
    open_program("main.bas", "#INCLUDE \"lib.inc\"\nGreet \"you\"\nDeeper \"me\"\n");
    const std::string main_path = current_path();
    EXPECT_TRUE(current_analysis(analysis_context(*app)).problems.empty());

    put_caret_on("Deeper");
    run_command(*app, menu_id::find_all_uses);
    ASSERT_EQ(app->analysis->panel->count(), 3);
    EXPECT_EQ(app->analysis->panel->item(0)->text().toStdString(),
              "main.bas line 3: Deeper \"me\"");
    EXPECT_EQ(app->analysis->panel->item(2)->text().toStdString(),
              "deep.inc line 1: SUB Deeper(w$)");

    run_command(*app, menu_id::go_to_definition);
    EXPECT_EQ(current_path(), path("deep.inc"));
    EXPECT_EQ(sci_caret_line(app->editor), 0);
    // Return from Sub/Function: back to the program's tab and line, once.
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(current_path(), main_path);
    EXPECT_EQ(sci_caret_line(app->editor), 2);
    run_command(*app, menu_id::go_to_definition);
    ASSERT_EQ(current_path(), path("deep.inc"));

    // From the include back to the program: a click on the first row of the uses.
    emit app->analysis->panel->itemClicked(app->analysis->panel->item(0));
    process_events();
    EXPECT_EQ(current_path(), main_path);
    EXPECT_EQ(sci_caret_line(app->editor), 2);
}

TEST_F(AnalysisTest, GoToALabelAndReturn) {
    start_with_intro("");
    open_program("p.bas", "GOSUB Show\nEND\nShow:\n  PRINT 1 : RETURN\n");
    put_caret_on("Show");
    run_command(*app, menu_id::go_to_definition);
    EXPECT_EQ(sci_caret_line(app->editor), 2);
    run_command(*app, menu_id::return_from_name);
    EXPECT_EQ(sci_caret_line(app->editor), 0);
}

} // namespace

namespace {

TEST_F(AnalysisTest, RenameChangesTheProgramAndItsIncludeEachInOneUndoStep) {
    start_with_intro("");
    write_file(path("lib.inc"), "SUB Greet(who$)\n  PRINT who$\nEND SUB\n");
    open_program("main.bas", "#INCLUDE \"lib.inc\"\nGreet \"you\"\nGreet \"me\"\n");
    const std::string main_path = current_path();
    put_caret_on("Greet");

    requesters->inputs.push_back(std::string("PRINT"));
    requesters->answers.push_back(Answer::Ok); // refused: a keyword
    run_command(*app, menu_id::rename_name);
    EXPECT_EQ(requesters->shown.back().text, "PRINT is a keyword.");

    requesters->inputs.push_back(std::string("Hello"));
    run_command(*app, menu_id::rename_name);
    EXPECT_EQ(current_path(), main_path);
    EXPECT_EQ(sci_text(app->editor), "#INCLUDE \"lib.inc\"\nHello \"you\"\nHello \"me\"\n");
    sci_send(app->editor, Sci::SCI_UNDO);
    EXPECT_EQ(sci_text(app->editor), "#INCLUDE \"lib.inc\"\nGreet \"you\"\nGreet \"me\"\n");

    open_files(*app, path("lib.inc"));
    EXPECT_EQ(sci_text(app->editor), "SUB Hello(who$)\n  PRINT who$\nEND SUB\n");
}

} // namespace

namespace {

TEST_F(AnalysisTest, CtrlClickGoesToTheDefinition) {
    start_with_intro("");
    open_program("p.bas", "Beep 1\nEND\nSUB Beep(n)\n  PRINT n\nEND SUB\n");
    const long pos = sci_position_from_line(app->editor, 0) + 1;
    const int x = static_cast<int>(sci_send(app->editor, Sci::SCI_POINTXFROMPOSITION, 0, pos));
    const int y = static_cast<int>(sci_send(app->editor, Sci::SCI_POINTYFROMPOSITION, 0, pos));
    QTest::mouseClick(app->editor->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(x + 2, y + 4));
    EXPECT_EQ(sci_caret_line(app->editor), 2);
}

} // namespace

namespace {

TEST_F(AnalysisTest, TheLabelListShowsTheOutlineAndGoesIntoIncludes) {
    start_with_intro("");
    write_file(path("lib.inc"), "SUB Greet(who$)\n  Again: PRINT who$\nEND SUB\n");
    open_program("main.bas", "#INCLUDE \"lib.inc\"\nStart:\nGreet \"you\"\nSUB Show\n"
                             "  Top: PRINT 1\nEND SUB\nFUNCTION Twice(n)\n  Twice = 2 * n\n"
                             "END FUNCTION\n");
    QAction* outline = app->label_list->findChild<QAction*>("outline");
    ASSERT_TRUE(outline);
    outline->trigger();
    EXPECT_EQ(app->settings.label_list_outline, 1);
    EXPECT_EQ(labels(),
              (std::vector<std::string>{"Start:", "SUB Show", "    Top:", "FUNCTION Twice",
                                        "lib.inc", "    SUB Greet", "        Again:"}));
    const QString folder = qEnvironmentVariable("ZELL_SHOT_DIR");
    if (!folder.isEmpty()) app->editor->window()->grab().save(folder + "/outline.png");

    app->label_list->setCurrentRow(6);
    emit app->label_list->itemClicked(app->label_list->item(6));
    EXPECT_EQ(current_path(), path("lib.inc"));
    EXPECT_EQ(sci_caret_line(app->editor), 1);

    outline->trigger(); // back to the names
    EXPECT_EQ(app->settings.label_list_outline, 0);
    EXPECT_EQ(labels(), (std::vector<std::string>{"Greet", "Again"}));
}

} // namespace

namespace {

// Opening the include file analyses it again for the outline, replacing the result and the
// panel's rows the place was taken from: the jump still lands where it was aimed.
TEST_F(AnalysisTest, WithTheOutlineShownAJumpIntoAnIncludeLandsOnItsPlace) {
    start_with_intro("");
    // Alone, the include also lacks the label: its own problems come in another order.
    write_file(path("lib.inc"), "GOTO Far\nDO\nSUB Greet\nEND SUB\n");
    open_program("main.bas", "#INCLUDE \"lib.inc\"\nFar:\nGreet\n");
    const std::string main_path = current_path();
    app->label_list->findChild<QAction*>("outline")->trigger();

    run_command(*app, menu_id::show_problems);
    QListWidget* panel = app->analysis->panel;
    ASSERT_EQ(panel->count(), 1);
    // A real click: the row's item goes when the include's problems fill the panel.
    QTest::mouseClick(panel->viewport(), Qt::LeftButton, {},
                      panel->visualItemRect(panel->item(0)).center());
    EXPECT_EQ(current_path(), path("lib.inc"));
    EXPECT_EQ(sci_caret_line(app->editor), 1); // the DO

    run_command(*app, menu_id::return_from_name);
    ASSERT_EQ(current_path(), main_path);
    put_caret_on("Greet");
    run_command(*app, menu_id::go_to_definition);
    EXPECT_EQ(current_path(), path("lib.inc"));
    EXPECT_EQ(sci_caret_line(app->editor), 2);
}

} // namespace
