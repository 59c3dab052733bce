// The program's outline from the routines and labels the analysis found.
#include "analysis/analysis.h"
#include "base/folders.h"

#include <map>

namespace {

// The routines and labels of `file`, each label under the routine it stands in.
std::vector<OutlineEntry> file_outline(const ProgramAnalysis& analysis, std::size_t file) {
    std::vector<OutlineEntry> entries;
    std::map<std::size_t, std::size_t> routine_entries; // definition -> entry
    for (std::size_t i = 0; i < analysis.definitions.size(); ++i) {
        const Definition& d = analysis.definitions[i];
        if (d.at.file != file) continue;
        if (d.kind == NameKind::sub || d.kind == NameKind::function) {
            routine_entries[i] = entries.size();
            entries.push_back(
                {(d.kind == NameKind::sub ? "SUB " : "FUNCTION ") + d.name, d.at, {}});
        } else if (d.kind == NameKind::label) {
            OutlineEntry label{d.name + ":", d.at, {}};
            const auto routine = routine_entries.find(static_cast<std::size_t>(d.routine));
            if (d.routine >= 0 && routine != routine_entries.end())
                entries[routine->second].children.push_back(std::move(label));
            else
                entries.push_back(std::move(label));
        }
    }
    return entries;
}

} // namespace

std::vector<OutlineEntry> program_outline(const ProgramAnalysis& analysis) {
    if (analysis.files.empty()) return {};
    std::vector<OutlineEntry> outline = file_outline(analysis, 0);
    for (std::size_t file = 1; file < analysis.files.size(); ++file)
        outline.push_back({file_name_of(analysis.files[file].path),
                           {file, 0, 0, 0},
                           file_outline(analysis, file)});
    return outline;
}
