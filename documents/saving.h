// Saving documents: Save, Save As, the save-changes prompt and saving the intro text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Workspace;
class Requesters;
struct Document;
class QsciScintillaBase;

// The name of a document that was never saved: Save and the close prompt ask for a name instead.
inline constexpr const char* untitled_name = "untitled.bas";
bool is_untitled(const Document& document);

// The Save requester's path, starting from the current document's name, refused with a message
// when its name holds "*" or "?", and with ".bas" added when its file-name part has no extension (a
// dot in a folder name is no extension); empty when cancelled.
std::string ask_for_save_path(Workspace& ws, const std::string& title);
// Whether a write to `path` may go ahead: yes when no file with text is there, otherwise the
// user's answer to `question`.
bool may_replace_file(Requesters& requesters, const std::string& path,
                      const std::string& question = "Do you wish to overwrite it?");
// Writes `text` to `path` safely and says so in a box when it could not: the user must never
// believe a program is saved when it is not. The old file stays as it was.
bool write_text(Workspace& ws, const std::string& path, std::string_view text, const char* title);

// Before writing the editor's UTF-8 text `utf8` (which starts at `offset` in the document) to
// a file of one byte per character: when it holds characters such a file cannot keep, asks
// whether to save them as "?"; No goes to the first of them. True when the write may go ahead.
bool may_write_characters(Workspace& ws, std::string_view utf8, long offset, const char* title);

// The whole editor text as 8-bit text.
std::string get_editor_text(QsciScintillaBase* editor);

void save(Workspace& ws);
void save_as(Workspace& ws);
// Asks about a modified document and closes it. Returns -1 for Cancel, otherwise the active
// tab position afterwards (`position` when the document stayed open).
int close_with_prompt(Workspace& ws, int position, int no_cancel);
// At quit: shows the document at `position`, asks about its changes (Yes/No/Cancel) and saves it
// when asked to; it stays open. Returns the path its text now lives under (the new name when an
// untitled document was saved), or nothing when the quit must stop: Cancel, or a chosen save
// that did not happen.
std::optional<std::string> settle_document_for_exit(Workspace& ws, int position);
void save_intro_text(Workspace& ws);
