// The red mark on a line the board reported an error in.
#pragma once

class QsciScintillaBase;

// Marks 1-based `line`; the mark shows through the caret line's highlight.
void mark_error_line(QsciScintillaBase* editor, long line);
void clear_error_marks(QsciScintillaBase* editor);
