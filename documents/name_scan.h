// Finding SUB/FUNCTION names and labels in a whole program text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ScannedNames {
    std::string found;              // " name" per SUB/FUNCTION, " label label:" per label
    std::vector<std::string> names; // each name and label once per occurrence, in text order
};

// Scans every line, the last one too, whether or not a line feed ends it.
ScannedNames scan_names_text(std::string_view text);

// The 0-based line whose SUB/FUNCTION name or label equals `name` exactly, or -1.
long find_name_line_in(std::string_view text, std::string_view name);

// ASCII letters in lower case, every other byte kept.
std::string lower_names(std::string_view names);

// A names text (each name followed by one blank) of `names` in order, each name once: a name
// that equals an earlier one, ignoring letter case, is left out.
std::string unique_names(const std::vector<std::string>& names);

// The names of a names text (each followed by one blank), empty fields left out.
std::vector<std::string> split_names(std::string_view names);

// The entries of a names text that the label list shows: those not ending in ":".
std::vector<std::string> label_list_entries(std::string_view names);

// A SUB/FUNCTION header's name or a label, with its 0-based line.
struct NamedLine {
    std::string name;
    long line = 0;
};
// Every header and label of the text, in text order.
std::vector<NamedLine> named_lines(std::string_view text);
