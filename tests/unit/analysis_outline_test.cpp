// The outline of a program: its routines with their labels beneath, labels outside routines in
// their place, and each include file as a group; each entry with the place it goes to.
#include "analysis/analysis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

void flatten(const std::vector<OutlineEntry>& entries, int depth, std::string& out) {
    for (const OutlineEntry& entry : entries) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + entry.text + " @" +
               std::to_string(entry.at.file) + ":" + std::to_string(entry.at.line + 1) + "\n";
        flatten(entry.children, depth + 1, out);
    }
}

} // namespace

TEST(AnalysisOutline, RoutinesHoldTheirLabelsAndIncludesAreGroups) {
    const std::map<std::string, std::string> disk{
        {"/p/lib.inc", "#INCLUDE \"deep.inc\"\nSUB Greet\n  Again:\nEND SUB\n"},
        {"/p/deep.inc", "CSUB Blink\n  0000\nEND CSUB\n"}};
    AnalysisInput input;
    input.text = "#INCLUDE \"lib.inc\"\n"
                 "Start:\n"
                 "GOSUB Done\n"
                 "SUB Show(n)\n"
                 "  Top: PRINT n\n"
                 "  IF n THEN GOTO Top\n"
                 "END SUB\n"
                 "Done: RETURN\n"
                 "FUNCTION Twice(n)\n"
                 "  Twice = 2 * n\n"
                 "END FUNCTION\n";
    input.path = "/p/main.bas";
    input.files.exists = [&](const std::string& path) { return disk.count(path) != 0; };
    input.files.read = [&](const std::string& path) -> std::optional<std::string> {
        return disk.at(path);
    };
    std::string out;
    flatten(program_outline(analyse_program(input)), 0, out);
    EXPECT_EQ(out, "Start: @0:2\n"
                   "SUB Show @0:4\n"
                   "  Top: @0:5\n"
                   "Done: @0:8\n"
                   "FUNCTION Twice @0:9\n"
                   "lib.inc @1:1\n"
                   "  SUB Greet @1:2\n"
                   "    Again: @1:3\n"
                   "deep.inc @2:1\n"
                   "  SUB Blink @2:1\n");
}
