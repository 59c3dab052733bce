// The active document's names in a form that answers "is this name already held?" quickly.
#include "documents/name_index.h"

#include "documents/name_scan.h"

void reset_name_index(NameIndex& index, std::string_view names) {
    index.held.clear();
    for (const std::string& name : split_names(lower_names(names))) index.held.insert(name);
}

bool name_index_holds(const NameIndex& index, std::string_view name) {
    return index.held.count(lower_names(name)) > 0;
}

void add_to_name_index(NameIndex& index, std::string_view name) {
    index.held.insert(lower_names(name));
}
