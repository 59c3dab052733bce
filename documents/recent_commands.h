// The File menu's recent files (ids 17 to 26) and the small file that keeps them.
#pragma once

#include <string>

struct App;
struct Folders;
struct ViewState;

// Reads the recent list and the text size at start; a missing or damaged file gives none.
void load_view_state(ViewState& view, const Folders& folders);
// Writes them back (safely); a failure only costs the list, so it is not told.
void save_view_state(const ViewState& view, const Folders& folders);
// A file was opened or saved under `path`: it goes to the top of the list.
void note_recent_file(App& app, const std::string& path);
// Shows the list on the menu items: "&1 name" with the full path as status tip; unused hidden.
void show_recent_files(App& app);
