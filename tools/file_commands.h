// File commands on parts of documents: Insert File, Save Selection and Restore.
#pragma once

struct App;

// Inserts a file chosen in the Open requester below the caret's line, or at the end of the
// text, converted as an opened file is; one undo step.
void insert_file_after_line(App& app);
void insert_file_at_end(App& app);
// Writes the selected text to a file chosen in the Save requester; the document stays as it is.
void save_selection(App& app);
// Reads the current document's file again, as one undo step.
void restore_document(App& app);
bool can_restore(const App& app);
