// File commands on parts of documents: Insert File, Save Selection and Restore.
#pragma once

struct Workspace;

// Inserts a file chosen in the Open requester below the caret's line, or at the end of the
// text, converted as an opened file is; one undo step.
void insert_file_after_line(Workspace& ws);
void insert_file_at_end(Workspace& ws);
// Writes the selected text to a file chosen in the Save requester; the document stays as it is.
void save_selection(Workspace& ws);
// Reads the current document's file again, as one undo step.
void restore_document(Workspace& ws);
bool can_restore(const Workspace& ws);
