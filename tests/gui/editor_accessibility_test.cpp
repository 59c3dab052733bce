// Accessibility and input methods of the editing control: a plain interface while no assistive
// technology listens, the full text interface once one does, and input-method queries answered
// from the caret's line.
#include "editor/editor_accessibility.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QInputMethodEvent>

namespace {

class EditorAccessibilityTest : public AppFixture {
  protected:
    void TearDown() override { QAccessible::setActive(false); }
    void put(const std::string& utf8, long caret) {
        sci_set_text(app->editor, utf8);
        sci_send(app->editor, Sci::SCI_GOTOPOS, static_cast<unsigned long>(caret));
    }
};

TEST_F(EditorAccessibilityTest, ScreenReadersGetTheFullTextInterfaceOnceTheyAreActive) {
    start();
    QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(app->editor);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(is_plain_editor_interface(plain));
    EXPECT_EQ(plain->textInterface(), nullptr);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMODEVENTMASK), 0);

    // Assistive technology starts (the offscreen platform has none to report it, but the
    // observers hear of it all the same).
    QAccessible::setActive(true);
    // "é" is two bytes but one character: the offset counts characters.
    put("\xC3\xA9x\nab", 5);
    QAccessibleInterface* full = QAccessible::queryAccessibleInterface(app->editor);
    ASSERT_NE(full, nullptr);
    EXPECT_FALSE(is_plain_editor_interface(full));
    ASSERT_NE(full->textInterface(), nullptr);
    // The reader moves the caret by characters; the editor's byte position follows.
    full->textInterface()->setCursorPosition(4);
    EXPECT_EQ(sci_current_pos(app->editor), 5);
    full->textInterface()->setCursorPosition(1);
    EXPECT_EQ(sci_current_pos(app->editor), 2);
    EXPECT_EQ(full->textInterface()->text(0, 5), QString::fromUtf8("\xC3\xA9x\nab"));
    // The change notifications the full interface follows are on again.
    EXPECT_NE(sci_send(app->editor, Sci::SCI_GETMODEVENTMASK), 0);
}

TEST_F(EditorAccessibilityTest, InputMethodsAreAnsweredFromTheCaretsLine) {
    start();
    // Caret after "\xC3\xA9a" on the second line, anchor on the first line.
    put("first line\n\xC3\xA9"
        "abc\nlast",
        11 + 3);
    sci_send(app->editor, Sci::SCI_SETANCHOR, 2);
    EXPECT_EQ(app->editor->inputMethodQuery(Qt::ImSurroundingText).toString(),
              QString::fromUtf8("\xC3\xA9"
                                "abc"));
    EXPECT_EQ(app->editor->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    EXPECT_EQ(app->editor->inputMethodQuery(Qt::ImAnchorPosition).toInt(), 0);

    // A composition: first shown as pre-edit text, then committed.
    sci_send(app->editor, Sci::SCI_SETEMPTYSELECTION, 11 + 3);
    QInputMethodEvent preedit(QStringLiteral("e"), {});
    QCoreApplication::sendEvent(app->editor, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\xC3\xAB"));
    QCoreApplication::sendEvent(app->editor, &commit);
    EXPECT_EQ(sci_text(app->editor), "first line\n\xC3\xA9"
                                     "a\xC3\xAB"
                                     "bc\nlast");
    EXPECT_EQ(app->editor->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
}

} // namespace
