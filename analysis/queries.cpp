// Questions asked of a finished analysis: what a name is, where it is used, which codes exist.
#include "analysis/replay.h"
#include "base/ascii.h"

#include "tools/line_scan.h"

#include <algorithm>

namespace {

bool inside(const SourceSpan& span, std::size_t file, std::size_t offset) {
    return span.file == file && offset >= span.offset && offset <= span.offset + span.length;
}

bool is_code_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether the comment of `line` says "ignore:" with `code` among the codes after it.
bool ignored_on_line(std::string_view line, std::string_view code) {
    const std::size_t comment = comment_start(line, statement_start(line));
    if (comment == std::string_view::npos) return false;
    const std::string lower = lower_text(line.substr(comment));
    const std::size_t at = lower.find("ignore:");
    if (at == std::string::npos) return false;
    const std::string_view rest = line.substr(comment + at + 7);
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && !is_code_letter(rest[i])) ++i;
        std::size_t end = i;
        while (end < rest.size() && is_code_letter(rest[end])) ++end;
        const std::string word = upper_text(rest.substr(i, end - i));
        if (!word.empty() && word == code) return true;
        i = end;
    }
    return false;
}

std::string_view line_text(const AnalysedFile& file, std::size_t line) {
    if (line >= file.line_starts.size()) return {};
    const std::size_t start = file.line_starts[line];
    const std::size_t end = file.text.find_first_of("\r\n", start);
    return std::string_view(file.text).substr(start, end == std::string::npos ? std::string::npos
                                                                              : end - start);
}

} // namespace

void apply_ignore_comments(ProgramAnalysis& analysis) {
    std::erase_if(analysis.problems, [&](const Problem& problem) {
        return ignored_on_line(line_text(analysis.files[problem.at.file], problem.at.line),
                               problem.code);
    });
}

std::optional<std::size_t> definition_at(const ProgramAnalysis& analysis, std::size_t file,
                                         std::size_t offset) {
    const auto after = std::upper_bound(
        analysis.uses.begin(), analysis.uses.end(), std::pair(file, offset),
        [](const std::pair<std::size_t, std::size_t>& at, const NameUse& use) {
            return at.first != use.at.file ? at.first < use.at.file : at.second < use.at.offset;
        });
    if (after != analysis.uses.begin() && inside(std::prev(after)->at, file, offset))
        return std::prev(after)->definition;
    for (std::size_t i = 0; i < analysis.definitions.size(); ++i)
        if (inside(analysis.definitions[i].at, file, offset)) return i;
    return std::nullopt;
}

std::vector<SourceSpan> spans_of(const ProgramAnalysis& analysis, std::size_t index) {
    std::vector<SourceSpan> spans;
    if (index >= analysis.definitions.size()) return spans;
    const SourceSpan& defined = analysis.definitions[index].at;
    bool definition_added = false;
    auto add_definition_before = [&](const SourceSpan& at) {
        if (definition_added) return;
        if (defined.file < at.file || (defined.file == at.file && defined.offset <= at.offset)) {
            spans.push_back(defined);
            definition_added = true;
        }
    };
    for (const NameUse& use : analysis.uses) {
        if (use.definition != index) continue;
        add_definition_before(use.at);
        if (use.at.file == defined.file && use.at.offset == defined.offset) continue;
        spans.push_back(use.at);
    }
    if (!definition_added) spans.push_back(defined);
    return spans;
}

namespace {

constexpr ProblemCode codes[] = {
    {"UNCLOSED", "a block that is never closed"},
    {"UNOPENED", "a word that closes or continues a block that is not open"},
    {"NEXTVAR", "NEXT names another variable than its FOR"},
    {"EXIT", "EXIT outside the block it leaves"},
    {"NOLABEL", "a jump to a label or line number that does not exist"},
    {"DUPLABEL", "a label defined twice"},
    {"DUPSUB", "a SUB or FUNCTION defined twice"},
    {"NOSUB", "a call to a SUB or FUNCTION that does not exist"},
    {"ARGS", "a call with more arguments than the definition has parameters"},
    {"UNDECLARED", "a variable used without a declaration under OPTION EXPLICIT"},
    {"UNUSED", "a variable set but never used (hint)"},
    {"HIDES", "a LOCAL that hides a global of the same name (hint)"},
    {"LONGLINE", "a line of 255 characters or more"},
    {"BADCHAR", "a character the board drops"},
    {"STRING", "a string without its closing quote"},
    {"NOINCLUDE", "an #INCLUDE file that cannot be found or read"},
};

} // namespace

std::span<const ProblemCode> problem_codes() {
    return codes;
}
