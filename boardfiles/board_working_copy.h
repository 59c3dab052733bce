// Working copies of board files: opened from the board into the data folder, they keep a record
// of where they came from beside them. Their tabs show it, and Save offers to send them back,
// noticing first when the board's file changed since it was fetched.
#pragma once

#include "boardfiles/board_origin.h"

#include <optional>
#include <string>

class BoardFiles;
class Requesters;
struct Folders;

// The record beside a working copy `local` (in the data folder of `folders`); nothing for an
// ordinary file.
std::optional<BoardOrigin> working_copy_origin(const Folders& folders, const std::string& local);
// Writes the record beside `local`; false (with a message) when it cannot be written.
bool keep_working_copy_origin(Requesters& requesters, const std::string& local,
                              const BoardOrigin& origin);

// Asks whether to send the saved working copy `local` back to its board file, and does so:
// the board's folder is listed first, and a board file that changed since it was fetched is
// replaced only when the user says so.
void offer_to_send_back(BoardFiles& files, const std::string& local, const BoardOrigin& origin);
// Says that the working copy `local` was saved on this computer only: no board is connected.
void say_not_sent(Requesters& requesters, const std::string& local, const BoardOrigin& origin);
