// Removing blank lines and comments line by line.
#include "tools/comments.h"

#include "base/ascii.h"
#include "tools/line_scan.h"

#include <optional>
#include <unordered_set>

namespace {

bool is_blank_line(const ScannedLine& line) {
    return line.start == line.text.size() && line.number.empty() && !line.data &&
           !line.continuation;
}

// The numbers that some statement jumps to, as keys.
std::unordered_set<std::string_view> jump_targets(const ScannedProgram& program) {
    std::unordered_set<std::string_view> targets;
    for (const ScannedLine& line : program.lines)
        for (std::size_t r = 0; r < line.reference_count; ++r) {
            const LineReference& reference = program.references[line.first_reference + r];
            targets.insert(line_number_key(line.text.substr(reference.offset, reference.length)));
        }
    return targets;
}

// Writes what `kept_of` keeps of each line that is not blank, each followed by `line_end`;
// `line_map` (when given) gets, for every line, the output line it was written to or would
// have been.
template <typename KeptOf>
std::string keep_lines(const ScannedProgram& program, std::size_t size, std::string_view line_end,
                       std::vector<std::size_t>* line_map, KeptOf kept_of) {
    std::string out;
    out.reserve(size);
    std::size_t written = 0;
    if (line_map) line_map->clear();
    for (const ScannedLine& line : program.lines) {
        if (line_map) line_map->push_back(written);
        if (is_blank_line(line)) continue;
        const std::optional<std::string_view> kept = kept_of(line);
        if (!kept) continue;
        out.append(*kept);
        out.append(line_end);
        ++written;
    }
    return out;
}

} // namespace

std::string remove_blank_lines(std::string_view text, std::string_view line_end,
                               std::vector<std::size_t>* line_map) {
    return keep_lines(scan_program(text), text.size(), line_end, line_map,
                      [](const ScannedLine& line) { return std::optional(line.text); });
}

std::string remove_comments_and_blank_lines(std::string_view text, std::string_view line_end,
                                            std::vector<std::size_t>* line_map) {
    const ScannedProgram program = scan_program(text);
    const std::unordered_set<std::string_view> targets = jump_targets(program);
    return keep_lines(program, text.size(), line_end, line_map,
                      [&targets](const ScannedLine& line) -> std::optional<std::string_view> {
                          if (line.data) return line.text;
                          const std::size_t comment = comment_start(line.text, line.start);
                          if (comment == std::string_view::npos) return line.text;
                          std::size_t end = comment;
                          while (end > 0 && is_blank(line.text[end - 1])) --end;
                          const bool only_comment =
                              end <= line.start || (!line.number.empty() && end == line.start);
                          if (!only_comment || line.continuation) return line.text.substr(0, end);
                          // A line holding only a comment goes, unless its number is jumped to.
                          if (line.number.empty() || !targets.count(line_number_key(line.number)))
                              return std::nullopt;
                          return line.text;
                      });
}
