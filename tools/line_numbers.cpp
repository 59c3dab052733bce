// Removing and adding line numbers, the jumps following their statements.
#include "tools/line_numbers.h"

#include "base/ascii.h"
#include "editor/names.h"
#include "tools/line_scan.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <unordered_set>

namespace {

using Kind = LineNumberNote::Kind;

// Orders two line numbers given as keys (no leading zeros) without computing their values.
bool key_less(std::string_view a, std::string_view b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// The first line of each number, noting duplicates and numbers out of order.
std::unordered_map<std::string_view, std::size_t> number_lines(const ScannedProgram& program,
                                                               std::vector<LineNumberNote>& notes) {
    std::unordered_map<std::string_view, std::size_t> lines;
    std::string_view previous;
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const std::string_view number = program.lines[i].number;
        if (number.empty()) continue;
        const std::string_view key = line_number_key(number);
        if (!lines.emplace(key, i).second)
            notes.push_back({Kind::duplicate, i, std::string(number)});
        else if (!previous.empty() && !key_less(previous, key))
            notes.push_back({Kind::out_of_order, i, std::string(number)});
        previous = key;
    }
    return lines;
}

std::string_view digits_of(const ScannedLine& line, const LineReference& reference) {
    return line.text.substr(reference.offset, reference.length);
}

// Writes `line` from `from` to `out` with each reference whose target is known replaced by
// `replacement(key)`; `then_goto` puts "GOTO " before a replacement after THEN or ELSE.
template <typename Replacement>
void write_with_references(std::string& out, const ScannedProgram& program, const ScannedLine& line,
                           std::size_t from, bool then_goto, const Replacement& replacement) {
    for (std::size_t r = 0; r < line.reference_count; ++r) {
        const LineReference& reference = program.references[line.first_reference + r];
        if (reference.offset < from) continue;
        const std::string_view* target = replacement(line_number_key(digits_of(line, reference)));
        if (!target) continue;
        out.append(line.text.substr(from, reference.offset - from));
        if (then_goto && reference.after_then_else) out.append("GOTO ");
        out.append(*target);
        from = reference.offset + reference.length;
    }
    out.append(line.text.substr(from));
}

void note_missing_targets(const ScannedProgram& program,
                          const std::unordered_map<std::string_view, std::size_t>& lines,
                          std::vector<LineNumberNote>& notes) {
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const ScannedLine& line = program.lines[i];
        for (std::size_t r = 0; r < line.reference_count; ++r) {
            const std::string_view digits =
                digits_of(line, program.references[line.first_reference + r]);
            if (!lines.count(line_number_key(digits)))
                notes.push_back({Kind::missing_target, i, std::string(digits)});
        }
    }
}

// True when the statements start with a word ending in ":" (a label, or a command such as
// "CLS:"): a second label cannot go in front, so the new one takes a line of its own.
bool starts_with_colon_word(std::string_view statements) {
    return !line_names(statements).label.empty();
}

// The labels for the numbers that are jumped to: "L" and the number, lengthened by "_" while it
// would be a word the program already uses.
std::unordered_map<std::string_view, std::string>
labels_for_targets(const ScannedProgram& program,
                   const std::unordered_map<std::string_view, std::size_t>& lines) {
    std::unordered_map<std::string_view, std::string> labels;
    for (const ScannedLine& line : program.lines)
        for (std::size_t r = 0; r < line.reference_count; ++r) {
            const std::string_view key =
                line_number_key(digits_of(line, program.references[line.first_reference + r]));
            if (lines.count(key) && !labels.count(key)) labels.emplace(key, "L" + std::string(key));
        }
    if (labels.empty()) return labels;

    std::unordered_set<std::string> words;
    for (const ScannedLine& line : program.lines)
        if (!line.data)
            for_each_word(line.text, line.start, [&](std::string_view word) {
                if ((word[0] == 'L' || word[0] == 'l') && word.size() > 1 && word[1] >= '0' &&
                    word[1] <= '9')
                    words.insert(upper_text(word));
            });
    for (auto& [key, label] : labels) {
        while (words.count(upper_text(label))) label += '_';
        words.insert(upper_text(label));
    }
    return labels;
}

} // namespace

LineNumberResult remove_line_numbers(std::string_view text, std::string_view line_end) {
    LineNumberResult result;
    const ScannedProgram program = scan_program(text);
    const auto lines = number_lines(program, result.notes);
    note_missing_targets(program, lines, result.notes);
    const auto labels = labels_for_targets(program, lines);
    std::unordered_map<std::string_view, std::string_view> label_by_key;
    for (const auto& [key, label] : labels) label_by_key.emplace(key, label);
    auto replacement = [&](std::string_view key) -> const std::string_view* {
        auto found = label_by_key.find(key);
        return found == label_by_key.end() ? nullptr : &found->second;
    };

    result.text.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const ScannedLine& line = program.lines[i];
        std::size_t from = 0;
        if (!line.number.empty()) {
            from = line.start;
            const std::string_view key = line_number_key(line.number);
            auto first = lines.find(key);
            auto label = label_by_key.find(key);
            if (first != lines.end() && first->second == i && label != label_by_key.end()) {
                result.text.append(label->second);
                result.text.append(":");
                if (starts_with_colon_word(line.text.substr(line.start)))
                    result.text.append(line_end);
                else if (from < line.text.size())
                    result.text.append(" ");
            }
        }
        write_with_references(result.text, program, line, from, true, replacement);
        result.text.append(line_end);
    }
    return result;
}

std::optional<Numbering> parse_numbering(std::string_view answer) {
    auto read = [](std::string_view part) -> std::optional<std::uint64_t> {
        while (!part.empty() && is_blank(part.front())) part.remove_prefix(1);
        while (!part.empty() && is_blank(part.back())) part.remove_suffix(1);
        std::uint64_t value = 0;
        auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
            value == 0 || value > largest_line_number)
            return std::nullopt;
        return value;
    };
    const std::size_t comma = answer.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    std::optional<std::uint64_t> first = read(answer.substr(0, comma));
    std::optional<std::uint64_t> step = read(answer.substr(comma + 1));
    if (!first || !step) return std::nullopt;
    return Numbering{*first, *step};
}

AddNumbersResult add_line_numbers(std::string_view text, Numbering numbering,
                                  std::string_view line_end) {
    AddNumbersResult added;
    const ScannedProgram program = scan_program(text);
    auto numbered = [](const ScannedLine& line) {
        return !line.data && !line.continuation &&
               (line.start < line.text.size() || !line.number.empty());
    };
    added.lines_numbered = static_cast<std::size_t>(
        std::count_if(program.lines.begin(), program.lines.end(), numbered));
    if (numbering.first == 0 || numbering.step == 0) return added;
    if (added.lines_numbered > 0) {
        const std::uint64_t steps = added.lines_numbered - 1;
        if (numbering.first > largest_line_number ||
            steps > (largest_line_number - numbering.first) / numbering.step)
            return added;
        added.last_number = numbering.first + steps * numbering.step;
    }

    std::vector<LineNumberNote>& notes = added.result.notes;
    const auto lines = number_lines(program, notes);
    note_missing_targets(program, lines, notes);
    // The new number of each line, in text order.
    std::vector<std::string> new_numbers(program.lines.size());
    std::uint64_t next = numbering.first;
    for (std::size_t i = 0; i < program.lines.size(); ++i)
        if (numbered(program.lines[i])) {
            new_numbers[i] = std::to_string(next);
            next += numbering.step;
        }
    std::unordered_map<std::string_view, std::string_view> renumbered;
    for (const auto& [key, line] : lines)
        if (!new_numbers[line].empty()) renumbered.emplace(key, new_numbers[line]);
    auto replacement = [&](std::string_view key) -> const std::string_view* {
        auto found = renumbered.find(key);
        return found == renumbered.end() ? nullptr : &found->second;
    };

    std::string& out = added.result.text;
    out.reserve(text.size() + program.lines.size() * 6);
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const ScannedLine& line = program.lines[i];
        std::size_t from = 0;
        if (!new_numbers[i].empty()) {
            out.append(new_numbers[i]);
            out.append(" ");
            from = line.start;
        }
        write_with_references(out, program, line, from, false, replacement);
        out.append(line_end);
    }
    added.ok = true;
    return added;
}
