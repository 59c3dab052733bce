// Removing blank lines and comments line by line.
#include "tools/comments.h"

#include "base/ascii.h"
#include "tools/line_scan.h"

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

} // namespace

std::string remove_blank_lines(std::string_view text, std::string_view line_end,
                               std::vector<std::size_t>* line_map) {
    const ScannedProgram program = scan_program(text);
    std::string out;
    out.reserve(text.size());
    std::size_t written = 0;
    if (line_map) line_map->clear();
    for (const ScannedLine& line : program.lines) {
        if (line_map) line_map->push_back(written);
        if (is_blank_line(line)) continue;
        out.append(line.text);
        out.append(line_end);
        ++written;
    }
    return out;
}

std::string remove_comments_and_blank_lines(std::string_view text, std::string_view line_end,
                                            std::vector<std::size_t>* line_map) {
    const ScannedProgram program = scan_program(text);
    const std::unordered_set<std::string_view> targets = jump_targets(program);
    std::string out;
    out.reserve(text.size());
    std::size_t written = 0;
    if (line_map) line_map->clear();
    for (const ScannedLine& line : program.lines) {
        if (line_map) line_map->push_back(written);
        if (is_blank_line(line)) continue;
        std::string_view kept = line.text;
        if (!line.data) {
            const std::size_t comment = comment_start(line.text, line.start);
            if (comment != std::string_view::npos) {
                std::size_t end = comment;
                while (end > 0 && is_blank(line.text[end - 1])) --end;
                const bool only_comment =
                    end <= line.start || (!line.number.empty() && end == line.start);
                if (!only_comment || line.continuation) {
                    kept = line.text.substr(0, end);
                } else if (line.number.empty() || !targets.count(line_number_key(line.number))) {
                    continue;
                }
            }
        }
        out.append(kept);
        out.append(line_end);
        ++written;
    }
    return out;
}
