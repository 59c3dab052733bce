// Renaming: every place of the same thing changes (suffixes and structure members kept), the
// local of another routine does not, and names that would clash or are keywords are refused.
#include "analysis/rename.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ProgramAnalysis analyse(const std::string& text) {
    AnalysisInput input;
    input.text = text;
    input.keywords = "PRINT ";
    return analyse_program(input);
}

std::string renamed(const std::string& text, const std::string& at, const std::string& name,
                    std::string* refusal = nullptr) {
    const ProgramAnalysis analysis = analyse(text);
    const auto found = definition_at(analysis, 0, text.find(at));
    if (!found) return "(no name)";
    const RenamePlan plan = plan_rename(analysis, *found, name, "PRINT ");
    if (refusal) *refusal = plan.refusal;
    std::string out = text;
    for (const FileEdits& file : plan.files)
        for (const TextEdit& edit : file.edits) out.replace(edit.offset, edit.length, edit.text);
    return out;
}

TEST(Rename, ChangesEveryPlaceOfTheSameThingOnly) {
    const std::string program = "DIM n$ : n = \"a\"\nPRINT n$\nSUB S(k)\n  LOCAL n\n  n = k\n"
                                "  PRINT n\nEND SUB\nS 1 : GOTO Done\nDone:\n";
    EXPECT_EQ(renamed(program, "n = \"a\"", "title"),
              "DIM title$ : title = \"a\"\nPRINT title$\nSUB S(k)\n  LOCAL n\n  n = k\n"
              "  PRINT n\nEND SUB\nS 1 : GOTO Done\nDone:\n");
    EXPECT_EQ(renamed(program, "n\n  n = k", "m").find("  LOCAL m\n  m = k\n  PRINT m\n") !=
                  std::string::npos,
              true);
    EXPECT_EQ(renamed(program, "S 1", "Show"),
              "DIM n$ : n = \"a\"\nPRINT n$\nSUB Show(k)\n  LOCAL n\n  n = k\n"
              "  PRINT n\nEND SUB\nShow 1 : GOTO Done\nDone:\n");
    EXPECT_EQ(renamed("DIM p AS pt\np.x = 1\nPRINT p.x\n", "p AS", "q"),
              "DIM q AS pt\nq.x = 1\nPRINT q.x\n");
}

TEST(Rename, RefusesKeywordsBadNamesAndClashes) {
    const std::string program =
        "DIM a, b\na = b\nPRINT a\nSUB S(k)\n  PRINT k\nEND SUB\nSUB T\nEND SUB\nL1:\nL2:\n";
    struct Case {
        const char* at;
        const char* name;
        bool refused;
    };
    const Case cases[] = {
        {"a = b", "print", true}, {"a = b", "2a", true},  {"a = b", "b", true},
        {"a = b", "S", true},     {"T\nEND", "S", true},  {"L1:", "L2", true},
        {"k)", "a", true},        {"a = b", "c$", false}, {"L1:", "a", false},
    };
    for (const Case& c : cases) {
        std::string refusal;
        renamed(program, c.at, c.name, &refusal);
        EXPECT_EQ(!refusal.empty(), c.refused) << c.at << " -> " << c.name;
    }
}

} // namespace
