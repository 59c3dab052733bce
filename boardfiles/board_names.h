// Board file names as the console takes them: a name typed as a string expression (quotes and
// bytes the prompt does not take are written as CHR$), paths joined the board's way, and what
// of a downloaded file's tail is XMODEM's padding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// `name` as an MMBasic string expression: "plain text" pieces, with a quote and every byte
// outside 0x20..0x7E as CHR$(n), joined by '+'. The prompt drops bytes above 0x7E, and a
// string literal cannot hold a quote, so both would otherwise change the name.
std::string board_string(std::string_view name);

// `folder` ("A:/", "A:/games") and a name in it: "A:/games/snake.bas".
std::string board_path(std::string_view folder, std::string_view name);

// Whether a name looks like a text file (programs, data, settings).
bool looks_like_text(std::string_view name);

// A downloaded file cut to its true size: to the size the listing gave (XMODEM fills the last
// block); a text file whose listed size is whole blocks also loses trailing padding bytes
// (0x1A) that an earlier upload left on the board. `listed` < 0: the size is not known and
// nothing is cut.
std::string cut_download(std::string data, std::int64_t listed, std::string_view name);

// Whether the bytes past the listed size are only XMODEM's padding (0x1A or NUL). Anything else
// means the file grew on the board after it was listed, and cutting it would lose its end.
bool only_padding_past(std::string_view data, std::int64_t listed);

// Whether a name from the board's listing can be used as one local file or folder name: not
// empty, not "." or "..", and without a separator, a drive colon or a control byte, so a
// download never lands outside the folder the user chose.
bool safe_local_name(std::string_view name);

// Local names for the entries of one board folder that stay apart on a computer whose names
// ignore letter case: a name differing only in case from an earlier one gets " (2)", " (3)", ...
// before its extension, never the name of another entry. In the order given.
std::vector<std::string> case_distinct_names(const std::vector<std::string>& names);
