// Benchmarks of the program analysis on the 1.5 MB generated program: reading it from scratch,
// and listing every use of one name. The references are a plain pass over the same bytes that
// counts lines, and a pass that looks for the name's text, so the ratios show the analysis's
// own cost.
#include "cases.h"
#include "program_generator.h"
#include "timing.h"

#include "analysis/analysis.h"
#include "base/file_io.h"
#include "base/text_conversion.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr int runs = 5;

std::string shipped_keywords() {
    ReadResult read = read_whole_file(ZELL_BENCH_KEYWORDS);
    return read.ok ? read.bytes : std::string();
}

AnalysisInput input_for(const std::string& text, const std::string& keywords) {
    AnalysisInput input;
    input.text = text;
    input.path = "/bench/large.bas";
    input.keywords = keywords;
    return input;
}

std::size_t count_lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

std::string bench_analyse_large() {
    const std::string text = bytes_to_utf8(generate_program(large_program_bytes, 1));
    const std::string keywords = shipped_keywords();
    ProgramAnalysis analysis;
    const double ms = best_ms(runs, [&] { analysis = analyse_program(input_for(text, keywords)); });
    std::size_t lines = 0;
    const double reference = best_ms(runs, [&] { lines = count_lines(text); });
    std::fprintf(stderr, "analyse_large: %zu lines, %zu problems and hints\n", lines,
                 analysis.problems.size());
    // The generated program is meant to be well-formed: any code here needs a look.
    std::map<std::string, std::size_t> by_code;
    for (const Problem& problem : analysis.problems) ++by_code[problem.code];
    for (const auto& [code, count] : by_code)
        std::fprintf(stderr, "  %s: %zu\n", code.c_str(), count);
    return bench_line("analyse_large", ms, reference);
}

std::string bench_analyse_after_key_large() {
    const std::string text = bytes_to_utf8(generate_program(large_program_bytes, 1));
    const std::string keywords = shipped_keywords();
    // One letter typed into a name at two thirds of the program, and typed away again: each run
    // reads the text after one key, with what the run before it kept.
    std::size_t at = text.find("total = total", text.size() * 2 / 3);
    const std::string typed = text.substr(0, at + 1) + "x" + text.substr(at + 1);
    AnalysisCache cache;
    analyse_program(input_for(text, keywords), cache);
    bool key_typed = false;
    std::size_t problems = 0;
    const double ms = best_ms(runs * 2, [&] {
        key_typed = !key_typed;
        problems =
            analyse_program(input_for(key_typed ? typed : text, keywords), cache).problems.size();
    });
    const double reference = best_ms(runs, [&] { analyse_program(input_for(text, keywords)); });
    std::fprintf(stderr, "analyse_after_key_large: %zu problems and hints after the last key\n",
                 problems);
    return bench_line("analyse_after_key_large", ms, reference);
}

std::string bench_find_uses_large() {
    const std::string text = bytes_to_utf8(generate_program(large_program_bytes, 1));
    const ProgramAnalysis analysis = analyse_program(input_for(text, shipped_keywords()));
    // The name used most often: the worst case for a list of uses.
    std::vector<std::size_t> counts(analysis.definitions.size());
    for (const NameUse& use : analysis.uses) ++counts[use.definition];
    const std::size_t most =
        static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    std::size_t found = 0;
    const double ms = best_ms(runs, [&] { found = spans_of(analysis, most).size(); });
    const std::string& name = analysis.definitions[most].name;
    std::size_t matches = 0;
    const double reference = best_ms(runs, [&] {
        matches = 0;
        for (std::size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, at + 1))
            ++matches;
    });
    std::fprintf(stderr, "find_uses_large: %zu uses of %s (%zu matches of its text)\n", found,
                 name.c_str(), matches);
    return bench_line("find_uses_large", ms, reference);
}
