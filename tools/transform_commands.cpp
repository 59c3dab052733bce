// Running the program transformations on the current document.
#include "tools/transform_commands.h"

#include "documents/document_commands.h"
#include "editor/sci.h"
#include "tools/program_context.h"
#include "tools/transform.h"
#include "ui/requesters.h"

#include <algorithm>
#include <optional>

namespace {

// Far beyond any real program; only absurd nesting times a huge tab size gets there.
constexpr std::size_t largest_formatted_text = std::size_t{256} << 20;

} // namespace

void remove_indents(const ProgramContext& context) {
    if (!context.editor) return;
    replace_document_text(context,
                          remove_indents_text(document_text(context.editor, context.document),
                                              program_line_end(context)));
}

void format_document(const ProgramContext& context) {
    if (!context.editor) return;
    const Options& options = context.options;
    std::optional<std::string> text = format_text_within(
        document_text(context.editor, context.document), context.names, options.indent_labels,
        options.tab_size, largest_formatted_text, program_line_end(context), context.syntax);
    if (!text) {
        context.requesters.message("Format",
                                   "The formatted program would be larger than 256 MB; nothing "
                                   "was changed. Check the indentation settings.",
                                   Buttons::Ok);
        return;
    }
    replace_document_text(context, *text);
}

namespace {

// An empty step at the caret in the undo history: a character put in and taken out again. When
// undo or redo ends on it, the caret lands where it was and nothing scrolls; without it the caret
// would follow the whole text put back and end on the last line.
void mark_caret_for_undo(QsciScintillaBase* editor) {
    const SciPos at = sci_current_pos(editor);
    sci_insert_text(editor, at, " ");
    sci_delete_range(editor, at, 1);
}

} // namespace

void replace_document_text(const ProgramContext& context, const std::string& text,
                           long caret_line) {
    QsciScintillaBase* editor = context.editor;
    const SciLine line = sci_caret_line(editor);
    const SciPos into_text = sci_current_pos(editor) - sci_line_indent_position(editor, line);
    const long first_visible = sci_first_visible_line(editor);
    sci_begin_undo_action(editor);
    mark_caret_for_undo(editor); // undo ends here: the caret as it was before
    set_editor_text(context.record, editor, context.document, text, false);
    const SciLine new_line = std::max<SciLine>(
        std::min(caret_line < 0 ? line : caret_line, sci_line_count(editor) - 1), 0);
    const SciPos indent = sci_line_indent_position(editor, new_line);
    const SciPos caret = std::clamp(indent + std::max<SciPos>(into_text, 0), indent,
                                    sci_line_end_position(editor, new_line));
    sci_goto_pos(editor, caret);
    mark_caret_for_undo(editor); // redo ends here: the caret as the command left it
    sci_end_undo_action(editor);
    sci_set_first_visible_line(editor, first_visible);
}
