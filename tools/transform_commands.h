// The whole-program commands of the Program menu.
#pragma once

#include <string>

struct ProgramContext;

// The new text replaces the current document's in one step that one Undo takes back. The caret
// stays on its line, at the same place after the indentation, and the view does not scroll.
// `caret_line`, when not -1, is where the caret's line is in the new text.
void replace_document_text(const ProgramContext& context, const std::string& text,
                           long caret_line = -1);

void remove_indents(const ProgramContext& context);
void format_document(const ProgramContext& context);
