// Jumping to a name and back; a document's names; the note about characters an 8-bit file
// cannot keep. Bookmarks and go to line are in documents/jumps.h.
#pragma once

#include <string>
#include <string_view>

struct Workspace;
class QsciScintillaBase;

// Goes to the name chosen in the label list.
void jump_to_name(Workspace& ws);
// Goes to the line of a name (none when -1) and sets the line "Return from Sub/Function" goes
// back to.
void jump_to_name_line(Workspace& ws, long line);

// Goes to `line` of the current document after a jump from line `from_line` of another document
// (its editing component's document and path): "Return from Sub/Function" goes back there.
void jump_from_document(Workspace& ws, void* from, const std::string& from_path, long from_line,
                        long line);
// "Return from Sub/Function": back to where the current document's last jump came from, in
// another document when the jump came from there and it is still open.
void return_from_jump(Workspace& ws);

// The 0-based line of the SUB/FUNCTION or label called `name` in the editor text, or -1.
long find_name_line(Workspace& ws, std::string_view name);
// Collects the names of a document's whole text and makes them its current names.
void scan_names(Workspace& ws, int index, std::string_view text);
// Adds a name learnt while typing to the document at `index` and refreshes the label list.
void add_name(Workspace& ws, int index, std::string_view name);

// Around switching the editor to another document.
void leave_document_view(Workspace& ws);
void enter_document_view(Workspace& ws);

// After a change: when the caret's line holds characters the current 8-bit file cannot keep
// (just typed or pasted), a note in the status bar says so at once, not only when saving.
// Change notifications are off for speed, so the caret's line stands for what was inserted.
void note_unsavable_characters(Workspace& ws);
