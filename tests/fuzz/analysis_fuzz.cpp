// The analysis on any bytes: it never crashes, and every place it names (problems, definitions,
// uses) lies inside the text of its file on the line it says. The input after a 0x01 byte is a
// file that the part before it can include as "inc.bas" (and that may include itself). An
// analysis that reuses the lines of one before it gives the same result.
#include "analysis/analysis.h"
#include "fuzz_check.h"
#include "fuzz_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void check_span(const ProgramAnalysis& analysis, const SourceSpan& at) {
    FUZZ_CHECK(at.file < analysis.files.size());
    const AnalysedFile& file = analysis.files[at.file];
    FUZZ_CHECK(at.offset + at.length <= file.text.size());
    FUZZ_CHECK(at.line < file.line_starts.size());
    FUZZ_CHECK(file.line_starts[at.line] <= at.offset);
    if (at.line + 1 < file.line_starts.size())
        FUZZ_CHECK(at.offset + at.length <= file.line_starts[at.line + 1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string keywords = shipped_keyword_text();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\x01');
    const std::string main_text(bytes.substr(0, split));
    const std::string include_text(split == std::string_view::npos ? "" : bytes.substr(split + 1));

    AnalysisInput input;
    input.text = main_text;
    input.path = "/f/main.bas";
    input.include_folder = "/lib";
    input.keywords = keywords;
    input.files.exists = [](const std::string& path) { return path == "/f/inc.bas"; };
    input.files.read = [&](const std::string&) -> std::optional<std::string> {
        return include_text;
    };
    const ProgramAnalysis analysis = analyse_program(input);

    // After an analysis of the text with its middle third cut out, the lines it kept give the
    // same result as reading from scratch.
    AnalysisCache cache;
    const std::string cut = main_text.substr(0, main_text.size() / 3) +
                            main_text.substr(main_text.size() * 2 / 3);
    AnalysisInput before = input;
    before.text = cut;
    analyse_program(before, cache);
    FUZZ_CHECK(analyse_program(input, cache) == analysis);

    FUZZ_CHECK(!analysis.files.empty() && analysis.files.size() <= 2);
    for (const Problem& problem : analysis.problems) {
        check_span(analysis, problem.at);
        FUZZ_CHECK(!problem.code.empty() && !problem.message.empty());
    }
    for (const Definition& definition : analysis.definitions) check_span(analysis, definition.at);
    for (const NameUse& use : analysis.uses) {
        check_span(analysis, use.at);
        FUZZ_CHECK(use.definition < analysis.definitions.size());
    }
    // Every name's uses are found again from any of its places.
    if (!analysis.uses.empty()) {
        const NameUse& use = analysis.uses[analysis.uses.size() / 2];
        const auto found = definition_at(analysis, use.at.file, use.at.offset);
        FUZZ_CHECK(found.has_value());
        for (const SourceSpan& span : spans_of(analysis, *found)) check_span(analysis, span);
    }
    return 0;
}
