// The colouring on the control: what Scintilla asks for is all that is restyled, fold margin
// clicks, hidden lines that must show, names learnt after Return, one report per typed key.
#include "editor_test_fixture.h"

#include "base/text_conversion.h"
#include "editor/typing_aids.h"
#include "program_generator.h"

#include <QTest>

namespace {

// Counts the lines the installed line styler is handed.
void count_styled_lines(EditorRecord& record, int& calls) {
    LineStyler styler = record.line_styler;
    record.line_styler = [styler, &calls](EditorRecord& r, std::string_view line,
                                          std::string& styles) {
        ++calls;
        return styler(r, line, styles);
    };
}

// The middle of the fold margin beside a line.
QPoint fold_margin_point(QsciScintillaBase* c, SciLine line) {
    const int x = sci_margin_width(c, margin_line_numbers) + sci_margin_width(c, margin_bookmarks) +
                  sci_margin_width(c, margin_fold) / 2;
    const SciPos pos = sci_position_from_line(c, line);
    const int y =
        static_cast<int>(sci_send(c, Sci::SCI_POINTYFROMPOSITION, 0, pos)) +
        static_cast<int>(sci_send(c, Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line))) / 2;
    return {x, y};
}

bool line_visible(QsciScintillaBase* c, SciLine line) {
    return sci_send(c, Sci::SCI_GETLINEVISIBLE, static_cast<unsigned long>(line)) != 0;
}

TEST_F(EditorTest, TypingOnLine40000RestylesAboutAScreenNotTheWholeText) {
    const std::string program = bytes_to_utf8(generate_program(1500 * 1000, 1));
    show();
    set_text(program);
    const SciLine lines = sci_line_count(control());
    ASSERT_GT(lines, 45000);
    sci_send(control(), Sci::SCI_GOTOLINE, 40000);
    sci_send(control(), Sci::SCI_SETFIRSTVISIBLELINE, 40000 - 10);
    status_calls = 0;
    paint(); // colours everything up to the screen once
    // The status line follows each recolouring, not each line coloured.
    EXPECT_LT(status_calls, 50);
    const SciLine screen = sci_send(control(), Sci::SCI_LINESONSCREEN);
    ASSERT_GT(screen, 5);

    int calls = 0;
    count_styled_lines(record, calls);
    QTest::keyClick(editor.get(), Qt::Key_X);
    paint();
    EXPECT_GE(calls, 1);
    EXPECT_LE(calls, screen + 2) << "a screen is " << screen << " lines";
    ASSERT_EQ(sci_caret_line(control()), 40000);
    EXPECT_EQ(sci_text_range(control(), sci_current_pos(control()) - 1, sci_current_pos(control())),
              "x");
}

// The status line and the help follow the control's one report per change: a typed key is
// reported once, however much it recolours or moves.
TEST_F(EditorTest, EachTypedKeyIsReportedOnce) {
    show();
    set_text("Sub Draw\n  PRINT 1\nEnd Sub\nx = 1\n");
    paint();
    const struct {
        Qt::Key key;
        const char* what;
    } keys[] = {
        {Qt::Key_X, "a letter"},
        {Qt::Key_Apostrophe, "a comment mark, which recolours the line"},
        {Qt::Key_Return, "Return, which adds a line"},
        {Qt::Key_Backspace, "Backspace, which joins two lines"},
        {Qt::Key_Down, "an arrow"},
    };
    for (const auto& k : keys) {
        status_calls = 0;
        QTest::keyClick(editor.get(), k.key);
        paint();
        EXPECT_EQ(status_calls, 1) << k.what;
    }
}

TEST_F(EditorTest, StylingStopsAtTheRequestedPosition) {
    set_text("PRINT x\nPRINT y\n");
    Notification n;
    n.code = scn::style_needed;
    n.position = 3;
    handle_notification(record, control(), n);
    EXPECT_EQ(sci_end_styled(control()), 3);
    EXPECT_EQ(marked(), "{32}PRI{0}NT x\nPRINT y\n");
    // The next request colours the clipped line again from its start.
    n.position = 11;
    handle_notification(record, control(), n);
    EXPECT_EQ(sci_end_styled(control()), 11);
    EXPECT_EQ(marked(), "{1}PRINT{32} x\nPRI{0}NT y\n");
}

TEST_F(EditorTest, LinesBelowAFoldedSubAreColouredInOnePaint) {
    std::string text = "Sub A\n";
    for (int i = 0; i < 100; ++i) text += "x = 1\n";
    text += "End Sub\n";
    for (int i = 0; i < 40; ++i) text += "PRINT 1\n";
    show();
    set_text(text);
    colour_all();
    sci_toggle_fold(control(), 0);
    // Everything below the SUB loses its colours and needs colouring again.
    const SciPos below = sci_position_from_line(control(), 102);
    sci_start_styling(control(), below);
    sci_send(control(), Sci::SCI_SETSTYLING,
             static_cast<unsigned long>(sci_length(control()) - below), 0);
    sci_start_styling(control(), below);
    paint();
    // Line 130 is far below line 30 on screen: the request is taken in document lines.
    const SciLine last_shown =
        sci_send(control(), Sci::SCI_DOCLINEFROMVISIBLE,
                 static_cast<unsigned long>(sci_send(control(), Sci::SCI_LINESONSCREEN) - 1));
    ASSERT_GT(last_shown, 130);
    EXPECT_EQ(sci_style_at(control(), sci_position_from_line(control(), 130)), style::keyword);
}

TEST_F(EditorTest, FoldMarginClickTogglesASubFold) {
    show();
    set_text("Sub Main\n  PRINT 1\n  PRINT 2\nEnd Sub\nx = 1\n");
    paint();
    ASSERT_TRUE(level(0) & fold_header_flag);
    auto* viewport = editor->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, fold_margin_point(control(), 1));
    EXPECT_TRUE(line_visible(control(), 1)) << "a body line is no fold header";

    QTest::mouseClick(viewport, Qt::LeftButton, {}, fold_margin_point(control(), 0));
    EXPECT_EQ(sci_send(control(), Sci::SCI_GETFOLDEXPANDED, 0), 0);
    for (SciLine line : {1, 2, 3}) EXPECT_FALSE(line_visible(control(), line)) << line;
    EXPECT_TRUE(line_visible(control(), 4));

    QTest::mouseClick(viewport, Qt::LeftButton, {}, fold_margin_point(control(), 0));
    EXPECT_NE(sci_send(control(), Sci::SCI_GETFOLDEXPANDED, 0), 0);
    for (SciLine line : {1, 2, 3}) EXPECT_TRUE(line_visible(control(), line)) << line;

    // Changing hidden text shows it again.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, fold_margin_point(control(), 0));
    ASSERT_FALSE(line_visible(control(), 2));
    sci_send_text(control(), Sci::SCI_INSERTTEXT,
                  static_cast<unsigned long>(sci_position_from_line(control(), 2)), "'");
    EXPECT_TRUE(line_visible(control(), 2));
}

TEST_F(EditorTest, HeaderTypedBelowOtherLinesIsLearntAfterReturn) {
    show();
    set_text("x = 1\nGOSUB Draw\n");
    sci_send(control(), Sci::SCI_DOCUMENTEND);
    paint();
    std::vector<std::string> learnt;
    record.on_name_learnt = [&](std::string_view name) { learnt.emplace_back(name); };
    Options options;
    sci_add_text(control(), "Sub Draw");
    paint();
    EXPECT_TRUE(learnt.empty()) << "a header is looked for only after Return";
    new_line_command(record, control(), options, "\r\n", true);
    paint();
    EXPECT_EQ(learnt, std::vector<std::string>{"Draw"});
    EXPECT_FALSE(record.rescan);
    // Learnt names do not recolour: the reference above turns style 7 when next coloured.
    const SciPos reference = sci_position_from_line(control(), 1) + 6;
    EXPECT_EQ(sci_style_at(control(), reference), style::default_text);
    colour_all();
    EXPECT_EQ(sci_style_at(control(), reference), style::name);
    EXPECT_TRUE(level(2) & fold_header_flag);
}

TEST_F(EditorTest, ReturnWithoutTheFocusChangesNothing) {
    set_text("  x");
    sci_send(control(), Sci::SCI_DOCUMENTEND);
    Options options;
    new_line_command(record, control(), options, "\r\n", false);
    EXPECT_EQ(sci_text(control()), "  x");
    EXPECT_FALSE(record.rescan);
}

} // namespace
