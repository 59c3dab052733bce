// The active document's names in a form that answers "is this name already held?" quickly.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

// A name is held when the names text contains it anywhere, ignoring letter case. Colouring asks
// this for every label line it sees, so known answers are kept: names are only ever appended
// until the whole text is replaced, so a name once held stays held.
struct NameIndex {
    std::string lowered;                   // the names text in lower case
    std::unordered_set<std::string> held;  // lower-case names known to be held
};

// Starts over from a names text (each name followed by one blank).
void reset_name_index(NameIndex& index, std::string_view names);
bool name_index_holds(NameIndex& index, std::string_view name);
// Records a name appended to the names text.
void add_to_name_index(NameIndex& index, std::string_view name);
