// Saving documents: Save, Save As, the save-changes prompt and saving the intro text.
#pragma once

#include <optional>
#include <string>

struct App;
class QsciScintillaBase;

// The whole editor text as 8-bit text.
std::string get_editor_text(QsciScintillaBase* editor);

void save(App& app);
void save_as(App& app);
// Asks about a modified document and closes it. Returns -1 for Cancel, otherwise the active
// tab position afterwards (`position` when the document stayed open).
int close_with_prompt(App& app, int position, int no_cancel);
// Closes the first document at shutdown (Yes/No only). Returns the path its text now lives
// under (the new name when an untitled document was saved), or nothing when it stayed open.
std::optional<std::string> close_document_for_exit(App& app);
void save_intro_text(App& app);
