// Typing aids: Return with the configured line end and the indentation of the line above.
#include "editor/typing_aids.h"

#include "editor/sci.h"

#include <string>

void new_line_command(EditorRecord& record, QsciScintillaBase* control, const Options& options,
                      std::string_view line_end, bool editor_has_focus) {
    // Without the focus no line end goes in, so indenting would only scatter blanks.
    if (!control || !editor_has_focus) return;
    record.rescan = true;
    record.rescan_line = sci_caret_line(control);
    sci_add_text(control, line_end);
    auto_indent(control, options);
}

void auto_indent(QsciScintillaBase* control, const Options& options) {
    if (!control || options.auto_indent != 1) return;
    const SciLine line = sci_caret_line(control);
    if (line < 1) return;
    const int columns = sci_line_indentation(control, line - 1);
    if (columns > 0) sci_add_text(control, std::string(static_cast<std::size_t>(columns), ' '));
}
