// Typing aids: Return with the configured line end and the indentation of the line above.
#pragma once

#include "base/settings.h"
#include "editor/editor_record.h"

#include <string_view>

class QsciScintillaBase;

// The Return key while the editor has the focus: asks the styler to look for a SUB or
// FUNCTION header, inserts `line_end` (the document's) at the caret (a selection stays as it
// is), then indents. Does nothing when the editor does not have the focus.
void new_line_command(EditorRecord& record, QsciScintillaBase* control, const Options& options,
                      std::string_view line_end, bool editor_has_focus);

// With "Auto_indent" 1: as many blanks at the caret as the line above is indented (columns,
// TABs counted at the tab width).
void auto_indent(QsciScintillaBase* control, const Options& options);
