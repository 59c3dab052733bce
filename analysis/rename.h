// Renaming a name of the program everywhere it stands for the same thing: the edits per file,
// or the reason the new name cannot be taken.
#pragma once

#include "analysis/analysis.h"

#include <string>
#include <string_view>
#include <vector>

struct TextEdit {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string text;
};

struct FileEdits {
    std::size_t file = 0;        // index into ProgramAnalysis::files
    std::vector<TextEdit> edits; // from the end of the text back, so each leaves the next valid
};

struct RenamePlan {
    std::string refusal; // empty when the rename can go ahead
    std::vector<FileEdits> files;
};

// The edits that rename definition `index` to `new_name`. A type suffix written at a place is
// kept there. Refused: a name that is no name ("2x", "a b"), a keyword, and a name that
// something else in the same scope has already (another routine, label, or variable).
RenamePlan plan_rename(const ProgramAnalysis& analysis, std::size_t index,
                       std::string_view new_name, std::string_view keywords);
