// Opening program files: lists of paths, the Open requester, and the first documents at start.
#pragma once

#include <string>
#include <string_view>

struct Workspace;

// Opens every readable path of an LF-separated list as a new document; a file already open is
// not opened twice (its tab is shown when it is last), unreadable paths are skipped. When none
// opens, a new untitled document is made instead.
void open_files(Workspace& ws, std::string_view path_list);
// File > Open. Returns the new tab position, or -1.
int open_with_requester(Workspace& ws);
// Opens one file as a new document, or shows its tab when it is open already; a file that can't be
// read is told in a box. Returns the new tab position, or -1.
int open_path(Workspace& ws, const std::string& path);
// A new document for `path` holding `text`, shown and selected, and not yet saved: it counts as
// changed, so closing it asks first. When the file is open and unchanged, that document takes
// the text instead. Returns its index, or -1.
int open_unsaved_document(Workspace& ws, const std::string& path, std::string_view text);
// The position of the open document for the file `path` names (links resolved), or -1.
int find_open_document(Workspace& ws, const std::string& path);
// Start-up: the command-line files, or one new document, or the files open at the last exit.
void open_first_documents(Workspace& ws);

// The filter list of the save requesters.
inline constexpr const char* program_file_filter =
    "Basic (*.bas)|*.bas|Text (*.txt)|*.txt|All files (*.*)|*.*";
// The filter list of the Open and Insert requesters: include files are read, never written.
inline constexpr const char* open_file_filter =
    "Basic (*.bas)|*.bas|MMBasic include (*.inc)|*.inc|Text (*.txt)|*.txt|All files (*.*)|*.*";
