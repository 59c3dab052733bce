// The active document's names in a form that answers "is this name already held?" quickly.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

// A name is held when the same whole name is held, ignoring letter case; a part of a longer
// name is not held.
struct NameIndex {
    std::unordered_set<std::string> held; // the names in lower case
};

// Starts over from a names text (each name followed by one blank).
void reset_name_index(NameIndex& index, std::string_view names);
bool name_index_holds(const NameIndex& index, std::string_view name);
// Records a name appended to the names text.
void add_to_name_index(NameIndex& index, std::string_view name);
