// Moving around a program: bookmarks, go to line, jumping to a name and back; a document's
// names; the status bar's line and path fields.
#pragma once

#include <string>
#include <string_view>

struct App;
class QsciScintillaBase;

// Goes to `line` and scrolls so that "Scroll_Margin" lines stay visible above it.
long go_to_line(App& app, long line);

void toggle_bookmark(App& app);
void next_bookmark(App& app);
void previous_bookmark(App& app);
void goto_line_command(App& app);
void return_command(App& app);
void jump_to_name(App& app);
// Goes to the line of a name (none when -1) and sets the line "Return from Sub/Function" goes
// back to.
void jump_to_name_line(App& app, long line);

// Goes to `line` of the current document after a jump from line `from_line` of another document
// (its editing component's document and path): "Return from Sub/Function" goes back there.
void jump_from_document(App& app, void* from, const std::string& from_path, long from_line,
                        long line);

// The 0-based line of the SUB/FUNCTION or label called `name` in the editor text, or -1.
long find_name_line(App& app, std::string_view name);
// Collects the names of a document's whole text and makes them its current names.
void scan_names(App& app, int index, std::string_view text);
// Adds a name learnt while typing to the document at `index` and refreshes the label list.
void add_name(App& app, int index, std::string_view name);

// Around switching the editor to another document.
void leave_document_view(App& app);
void enter_document_view(App& app);

// Status bar: field 1 "Line: n/count" (as wide as the count needs), field 2 the current
// document's path, field 3 its encoding and line-end mode.
void show_line_status(App& app);
void show_document_status(App& app);
void show_file_format(App& app);
// After a change: when the caret's line holds characters the current 8-bit file cannot keep
// (just typed or pasted), a note in the status bar says so at once, not only when saving.
// Change notifications are off for speed, so the caret's line stands for what was inserted.
void note_unsavable_characters(App& app);
