// Working copies of board files: opened from the board into the data folder, they keep a record
// of where they came from beside them. Their tabs show it, and Save offers to send them back,
// noticing first when the board's file changed since it was fetched.
#pragma once

#include "boardfiles/board_origin.h"

#include <optional>
#include <string>

struct App;

// Lets the documents tell the board's files when a working copy is opened or saved.
void install_board_files(App& app);

// The record beside a working copy `local`; nothing for an ordinary file.
std::optional<BoardOrigin> working_copy_origin(const App& app, const std::string& local);
// Writes the record beside `local`; false (with a message) when it cannot be written.
bool keep_working_copy_origin(App& app, const std::string& local, const BoardOrigin& origin);

// Asks whether to send the saved working copy `local` back to its board file, and does so:
// the board's folder is listed first, and a board file that changed since it was fetched is
// replaced only when the user says so.
void offer_to_send_back(App& app, const std::string& local);
