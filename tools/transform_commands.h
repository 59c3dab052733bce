// The whole-program commands of the Program menu.
#pragma once

#include <string>
#include <string_view>

struct App;

// The new text replaces the current document's in one step that one Undo takes back. The caret
// stays on its line, at the same place after the indentation, and the view does not scroll.
// `caret_line`, when not -1, is where the caret's line is in the new text.
void replace_document_text(App& app, const std::string& text, long caret_line = -1);
// The line end the transformed text is written with: the current document's own.
std::string_view current_line_end(App& app);

void remove_indents(App& app);
void format_document(App& app);
