// Error line marks in the editor.
#include "device/error_marks.h"

#include "editor/marks.h"
#include "editor/sci.h"

namespace {

constexpr unsigned long error_line_colour = 0x3030F0; // red, BBGGRR, drawn translucent
constexpr int error_line_alpha = 80;                  // of 255: over white a pale red

// The error line's mark, translucent: drawn over the caret line's background, which hides an
// opaque line mark. The editing component draws a translucent line mark only when some margin's
// mask holds it, so an unused margin of no width takes it.
void define_error_marker(QsciScintillaBase* editor) {
    sci_marker_define(editor, marker_error, Sci::SC_MARK_BACKGROUND);
    sci_marker_set_back(editor, marker_error, error_line_colour);
    sci_marker_set_alpha(editor, marker_error, error_line_alpha);
    sci_set_margin_mask(editor, margin_unused,
                        sci_margin_mask(editor, margin_unused) | (1L << marker_error));
}

} // namespace

void mark_error_line(QsciScintillaBase* editor, long line) {
    if (!editor || line <= 0) return;
    define_error_marker(editor);
    sci_marker_add(editor, line - 1, marker_error);
}

void clear_error_marks(QsciScintillaBase* editor) {
    if (editor) sci_marker_delete_all(editor, marker_error);
}
