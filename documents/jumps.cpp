// Go to line, bookmarks and the way back from a jump.
#include "documents/jumps.h"

#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"
#include "ui/requesters.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace {

// A jump within the document: "Return from Sub/Function" comes back to `line` of it.
void set_return_line(Document& document, long line) {
    document.back_line = line;
    document.back_document = nullptr;
    document.back_path.clear();
}

long find_bookmark(QsciScintillaBase* editor, long start, bool forward) {
    return (forward ? sci_marker_next : sci_marker_previous)(editor, start, bookmark_mask);
}

void focus_editor(EditorWidget* editor) {
    if (editor) editor->setFocus();
}

// The decimal number at the start of an answer; anything else counts as 0, and numbers too
// large for a line are clamped (the editor stops at its last line anyway).
long answer_number(std::string_view answer) {
    while (!answer.empty() && (answer.front() == ' ' || answer.front() == '\t'))
        answer.remove_prefix(1);
    bool negative = !answer.empty() && answer.front() == '-';
    if (!answer.empty() && (answer.front() == '-' || answer.front() == '+'))
        answer.remove_prefix(1);
    long value = 0;
    for (char c : answer) {
        if (c < '0' || c > '9') break;
        value = value > 100000000 ? value : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace

long go_to_line(QsciScintillaBase* editor, int scroll_margin, long line) {
    sci_goto_line(editor, line);
    long first = line - scroll_margin;
    sci_set_first_visible_line(editor, std::max(first, 0L));
    return line;
}

void toggle_bookmark(QsciScintillaBase* editor) {
    long line = sci_caret_line(editor);
    if (sci_marker_get(editor, line) & bookmark_mask)
        sci_marker_delete(editor, line, marker_bookmark);
    else
        sci_marker_add(editor, line, marker_bookmark);
}

void next_bookmark(QsciScintillaBase* editor, int scroll_margin) {
    long found = find_bookmark(editor, sci_caret_line(editor) + 1, true);
    if (found >= 0) {
        sci_goto_line(editor, found);
        return;
    }
    found = find_bookmark(editor, 0, true);
    if (found >= 0) go_to_line(editor, scroll_margin, found);
}

void previous_bookmark(QsciScintillaBase* editor, int scroll_margin) {
    const long caret = sci_caret_line(editor);
    long found = caret > 0 ? find_bookmark(editor, caret - 1, false) : -1;
    if (found >= 0) {
        sci_goto_line(editor, found);
        return;
    }
    found = find_bookmark(editor, sci_line_count(editor), false);
    if (found >= 0) go_to_line(editor, scroll_margin, found);
}

void goto_line_command(EditorWidget* editor, Document* document, Requesters& requesters,
                       int scroll_margin) {
    const long from = sci_caret_line(editor);
    std::optional<std::string> answer = requesters.input("Goto", "Line Number", "");
    long line = answer ? answer_number(*answer) - 1 : -1;
    // Only a jump that happens changes where "Return from Sub/Function" goes.
    if (line >= 0) {
        if (document) set_return_line(*document, from);
        go_to_line(editor, scroll_margin, line);
    }
    focus_editor(editor);
}

void return_command(QsciScintillaBase* editor, Document* document, int scroll_margin) {
    if (!document || document->back_line < 0) return;
    // Back to where the last jump came from, once; then nothing until the next jump.
    const long back = document->back_line;
    document->back_line = -1;
    go_to_line(editor, scroll_margin, back);
}

void jump_from_caret(EditorWidget* editor, Document* document, int scroll_margin, long line) {
    if (document) set_return_line(*document, sci_caret_line(editor));
    if (line >= 0) go_to_line(editor, scroll_margin, line);
    focus_editor(editor);
}
