// Creating, activating and listing documents: each one a Scintilla document shown in the one
// editor control, with a tab of its own.
#pragma once

#include <string>
#include <string_view>

struct Workspace;
struct Document;
struct EditorRecord;
class QsciScintillaBase;

// A new document for `path` with a fresh empty text; its tab is selected. -1 for an empty path.
int create_document(Workspace& ws, const std::string& path);
// File > New: an "untitled.bas" in the current folder holding the intro text.
int new_document(Workspace& ws);
// Shows the document at `index` in the editor, restoring its caret and first visible line.
int activate_document(Workspace& ws, int index);
// Recreates the tabs from the document list; the position of the last tab, or -1.
int rebuild_tabs(Workspace& ws);
// Makes `index` current and fills the label list from the current names.
void refresh_label_list(Workspace& ws, int index);
// Widens the label list to fit its names (up to a third of the window) until the user sets
// its width by dragging the handle.
void fit_label_list_width(Workspace& ws);
// Removes the document at `index` (its Scintilla document is released) and shows the last one,
// or a new document when none is left. Returns the tab position now active.
int remove_document(Workspace& ws, int index);
// Removes the first `count` documents at once (quitting many), then shows the one that was
// current if it stays, else the last one, or a new document when none is left.
void remove_first_documents(Workspace& ws, int count);

// Replaces the editor text with the file text of `document`, the one shown: 8-bit (each byte
// one character, zero bytes included), or UTF-8 for a document kept as UTF-8. Without a
// document the text is 8-bit.
void set_editor_text(EditorRecord& record, QsciScintillaBase* editor, const Document* document,
                     std::string_view text, bool empty_undo);
// The same for the current document of `ws`.
void set_editor_text(Workspace& ws, std::string_view text, bool empty_undo);
// The editor text as the file of `document`, the one shown, holds it: the reverse of
// set_editor_text.
std::string document_text(QsciScintillaBase* editor, const Document* document);
std::string document_text(Workspace& ws);
// Whether the file of `document` holds one byte per character; without a document, yes.
bool is_eight_bit(const Document* document);
// Forgets the undo history and sets the save point.
void mark_saved(QsciScintillaBase* editor);

// The tab bar as the document list sees it.
void select_tab(Workspace& ws, int position);
