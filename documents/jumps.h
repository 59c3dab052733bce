// Moving the caret within a program: go to line, bookmarks, and back from a jump. Each jump
// scrolls so that `scroll_margin` lines stay visible above the line gone to.
#pragma once

class EditorWidget;
class QsciScintillaBase;
class Requesters;
struct Document;

// Goes to `line`, with `scroll_margin` lines above it in view.
long go_to_line(QsciScintillaBase* editor, int scroll_margin, long line);

void toggle_bookmark(QsciScintillaBase* editor);
// The next (previous) bookmarked line, going round from the end (start) of the text.
void next_bookmark(QsciScintillaBase* editor, int scroll_margin);
void previous_bookmark(QsciScintillaBase* editor, int scroll_margin);
// Goto line: asks for the number; a jump that happens is where "Return from Sub/Function" in
// `document` (none when null) comes back from.
void goto_line_command(EditorWidget* editor, Document* document, Requesters& requesters,
                       int scroll_margin);
// Back to where the document's last jump came from, once; then nothing until the next jump.
void return_command(QsciScintillaBase* editor, Document* document, int scroll_margin);
// Goes to `line` (nowhere when -1) from the caret's line, which "Return from Sub/Function"
// comes back to, and gives the editor the focus.
void jump_from_caret(EditorWidget* editor, Document* document, int scroll_margin, long line);
