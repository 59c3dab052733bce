// Where a working copy of a board file came from: the board, the file's path there, and the
// date and size the board listed when it was fetched (so a newer copy on the board is noticed
// before it is replaced). Kept as a small record beside the working copy, so that reopening
// the copy later still knows its board.
#pragma once

#include "boardfiles/board_listing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct BoardOrigin {
    std::string device;     // MM.DEVICE$: "PicoMiteVGA"
    std::string path;       // on the board: "B:/games/snake.bas"
    std::string date;       // as listed: "DD-MM-YYYY"
    std::string time;       // as listed: "HH:MM"
    std::int64_t size = -1; // as listed; -1 when not known
};

// "B:/games/snake.bas on PicoMiteVGA": the working copy's tab tooltip.
std::string origin_caption(const BoardOrigin& origin);

// The record's file beside `local`: ".snake.bas.board" in the same folder (hidden, so the
// folder shows only the working copies).
std::string origin_record_path(std::string_view local);

// The record as lines of "key=value", and read back; nothing when it names no board file.
// Unknown keys are ignored, so a later editor may add some.
std::string format_origin(const BoardOrigin& origin);
std::optional<BoardOrigin> parse_origin(std::string_view text);

// The board path split into its drive ("B:"), folder from the root ("/games", "/" at the
// root) and name ("snake.bas"); false when it has no drive or no name.
bool split_board_path(std::string_view path, std::string& drive, std::string& folder,
                      std::string& name);

// The listing's entry for `name`: exact on the flash drive A:, ignoring case on the SD card's
// FAT (B:). Null when the folder holds no such file.
const BoardEntry* find_listed_file(const BoardListing& listing, std::string_view name);

// Whether the board's file as listed now is not the one the working copy was made from: its
// date, time or size differ from what was recorded.
bool board_copy_changed(const BoardOrigin& origin, const BoardEntry& now);
