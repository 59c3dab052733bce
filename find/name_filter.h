// The Find Sub/Function chooser's filter: names whose letters contain the typed ones in order,
// case ignored, best matches first.
#pragma once

#include <string_view>
#include <vector>

struct NamedLine;

// Indices into `names` of those that match `query`, best first: a name starting with the query,
// then one holding it in one piece, then letters in order with the fewest gaps; ties keep text
// order. An empty query keeps every name in text order.
std::vector<std::size_t> filter_names(const std::vector<NamedLine>& names, std::string_view query);
