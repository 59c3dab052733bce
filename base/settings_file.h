// The settings file: its text from the settings and the settings from its text.
#pragma once

#include "base/settings.h"

#include <string>
#include <string_view>
#include <vector>

// Fills `s` from the bytes of the settings file; every missing group or key keeps the value
// already in `s` (the defaults for a fresh Settings). "UserFolder" and "IncludeFolder" replace
// the folders only when not empty, and always end in a separator afterwards.
void read_settings(std::string_view file_bytes, Settings& s);

// The whole settings file, CR LF line ends, groups and keys in their fixed order.
// `s.open_file_list` must be in the shutdown form: every path followed by one LF.
std::string settings_file_text(const Settings& s);

// "$" + six upper-case hex digits, BBGGRR; bits above the 24 colour bits are dropped.
std::string colour_to_text(Colour colour);
// A colour written by colour_to_text, or "$"-hex, "%"-binary or decimal by hand; kept to the
// 24 colour bits.
Colour colour_from_text(std::string_view text);

// The paths of an open-file list in either form (LF before or after each path); empty
// fields are dropped.
std::vector<std::string> split_open_file_list(std::string_view list);
