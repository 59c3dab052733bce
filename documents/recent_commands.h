// The File menu's recent files and the small file that keeps them.
#pragma once

#include <span>
#include <string>
#include <vector>

class QAction;
struct Workspace;
struct Folders;
struct ViewState;

// Reads the recent list and the text size at start; a missing or damaged file gives none.
void load_view_state(ViewState& view, const Folders& folders);
// Writes them back (safely); a failure only costs the list, so it is not told.
void save_view_state(const ViewState& view, const Folders& folders);
// A file was opened or saved under `path`: it goes to the top of the list, which is kept and
// announced as changed.
void note_recent_file(Workspace& ws, const std::string& path);
// Shows the list on its menu items, one per entry in order: "&1 name" with the full path as
// status tip; items without an entry are hidden.
void show_recent_files(const std::vector<std::string>& recent, std::span<QAction* const> items);
