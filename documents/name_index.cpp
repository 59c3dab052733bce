// The active document's names in a form that answers "is this name already held?" quickly.
#include "documents/name_index.h"

#include "documents/name_scan.h"

#include <string.h>

void reset_name_index(NameIndex& index, std::string_view names) {
    index.lowered = lower_names(names);
    index.held.clear();
    for (const std::string& name : split_names(index.lowered)) index.held.insert(name);
}

bool name_index_holds(NameIndex& index, std::string_view name) {
    std::string key = lower_names(name);
    if (index.held.count(key) > 0) return true;
    if (::memmem(index.lowered.data(), index.lowered.size(), key.data(), key.size()) == nullptr)
        return false;
    index.held.insert(std::move(key));
    return true;
}

void add_to_name_index(NameIndex& index, std::string_view name) {
    std::string key = lower_names(name);
    index.lowered += key;
    index.lowered += ' ';
    index.held.insert(std::move(key));
}
