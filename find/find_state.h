// What Find/Replace keeps between uses: the options, the recent entries and the bar.
#pragma once

#include "find/search.h"

#include <string>
#include <vector>

class FindBar;

struct FindState {
    SearchOptions options;
    std::vector<std::string> find_history; // newest first
    std::vector<std::string> replace_history;
    // "In selection": the range the selection covered when the option was chosen.
    long scope_start = 0;
    long scope_end = 0;
    FindBar* bar = nullptr;       // owned by the main window
    std::string marked_signature; // what the match marks were last drawn for
};
