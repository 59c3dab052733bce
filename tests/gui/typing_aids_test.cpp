// The Return key in the running editor: the configured line end at the caret and the indentation
// of the line above, in blanks.
#include "support/app_fixture.h"

#include "app/commands.h"
#include "app/menu_ids.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QListWidget>
#include <QTest>

namespace {

class TypingAidsTest : public AppFixture {
  protected:
    void SetUp() override {
        start();
        ASSERT_TRUE(app && app->editor);
        app->editor->setFocus();
        ASSERT_TRUE(app->editor->hasFocus());
    }
    QsciScintillaBase* editor() { return app->editor; }
    // The text with the caret at `caret` (a byte position, -1 for the end).
    void put(const std::string& text, SciPos caret = -1) {
        sci_set_text(editor(), text);
        sci_send(editor(), Sci::SCI_GOTOPOS,
                 static_cast<unsigned long>(caret < 0 ? sci_length(editor()) : caret));
    }
    void press_return() {
        QTest::keyClick(editor(), Qt::Key_Return);
        process_events();
    }
    SciPos caret() { return sci_current_pos(editor()); }
    Options& options() { return app->settings.options; }
    void line_end(LineEnd kind) { app->documents.current_document()->line_end = kind; }
};

TEST_F(TypingAidsTest, ReturnEndsTheLineWithTheDocumentsLineEndAndKeepsTheIndentation) {
    options().auto_indent = 1;
    line_end(LineEnd::crlf);
    put("    x = 1");
    press_return();
    EXPECT_EQ(sci_text(editor()), "    x = 1\r\n    ");
    EXPECT_EQ(caret(), sci_length(editor()));

    // An LF document gets a lone LF even among CR LF lines.
    line_end(LineEnd::lf);
    put("a\r\n  b\r\nc");
    sci_send(editor(), Sci::SCI_GOTOPOS, 6);
    press_return();
    EXPECT_EQ(sci_text(editor()), "a\r\n  b\n  \r\nc");
    EXPECT_EQ(caret(), 9);
    line_end(LineEnd::cr);
    put("x");
    press_return();
    EXPECT_EQ(sci_text(editor()), "x\r");
}

TEST_F(TypingAidsTest, IndentationIsRebuiltFromBlanks) {
    put("\t x");
    press_return();
    EXPECT_EQ(sci_text(editor()), "\t x\r\n   "); // a TAB counts two columns
    put("x");
    press_return();
    EXPECT_EQ(sci_text(editor()), "x\r\n"); // nothing to indent
}

TEST_F(TypingAidsTest, AutoIndentOffLeavesTheCaretAtColumnZero) {
    for (int off : {0, 2}) {
        options().auto_indent = off;
        put("    x = 1");
        press_return();
        EXPECT_EQ(sci_text(editor()), "    x = 1\r\n") << "Auto_indent " << off;
        EXPECT_EQ(caret(), sci_length(editor()));
    }
}

TEST_F(TypingAidsTest, ReturnInTheMiddleOfAnIndentedLineIndentsTheRest) {
    put("  IF x THEN\r\n    PRINT y", 13 + 9);
    press_return();
    EXPECT_EQ(sci_text(editor()), "  IF x THEN\r\n    PRINT\r\n     y");
    EXPECT_EQ(caret(), 13 + 9 + 2 + 4);
    EXPECT_EQ(sci_send(editor(), Sci::SCI_GETCOLUMN, static_cast<unsigned long>(caret())), 4);
}

TEST_F(TypingAidsTest, ReturnWithASelectionKeepsTheSelectedText) {
    put("PRINT 1");
    sci_send(editor(), Sci::SCI_SETSEL, 0, 5); // caret after PRINT
    press_return();
    EXPECT_EQ(sci_text(editor()), "PRINT\r\n 1");
    EXPECT_EQ(caret(), 7);
    put("  PRINT 1");
    sci_send(editor(), Sci::SCI_SETSEL, 9, 4); // caret inside the word, anchor at the end
    press_return();
    EXPECT_EQ(sci_text(editor()), "  PR\r\n  INT 1");
    EXPECT_EQ(sci_send(editor(), Sci::SCI_GETSELECTIONEMPTY), 1);
}

TEST_F(TypingAidsTest, ReturnCommandWithoutTheEditorFocusDoesNothing) {
    put("  x");
    app->label_list->setFocus();
    process_events();
    ASSERT_FALSE(editor()->hasFocus());
    run_command(*app, menu_id::return_key);
    EXPECT_EQ(sci_text(editor()), "  x");
}

} // namespace
