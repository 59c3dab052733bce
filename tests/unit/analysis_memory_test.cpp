// An analysis that reuses what the one before it kept gives exactly what an analysis from
// scratch gives, whatever the edit between them, and an unchanged include file is not read again.
#include "analysis/analysis.h"

#include "support/analysis_disk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const program = "OPTION EXPLICIT\r\n"
                            "#INCLUDE \"lib.inc\"\r\n"
                            "DIM total, name$, i\r\n"
                            "10 total = Twice(2) : GOTO Done\r\n"
                            "PRINT \"a\", _\r\n"
                            "  total\r\n"
                            "TYPE point\r\n"
                            "  x AS INTEGER\r\n"
                            "END TYPE\r\n"
                            "CSUB Blink integer\r\n"
                            "  00000000 IF\r\n"
                            "END CSUB\r\n"
                            "Done:\r\n"
                            "FOR i = 1 TO 3 : Greet name$ : NEXT i\r\n"
                            "FUNCTION Twice(n)\r\n"
                            "  Twice = n * 2\r\n"
                            "END FUNCTION";

struct Edit {
    const char* what;
    const char* find;
    const char* replace;
};

std::string edited(const Edit& edit) {
    std::string text = program;
    if (*edit.find == '\0') return text + edit.replace;
    const std::size_t at = text.find(edit.find);
    return at == std::string::npos ? text : text.replace(at, std::strlen(edit.find), edit.replace);
}

} // namespace

TEST(AnalysisMemory, AfterAnyEditTheResultIsTheOneFromScratch) {
    const Edit edits[] = {
        {"one letter in a name", "total = Twice", "totals = Twice"},
        {"a line removed", "DIM total, name$, i\r\n", ""},
        {"a continuation ended", "\"a\", _", "\"a\","},
        {"a continuation begun", "END TYPE\r\n", "END TYPE _\r\n"},
        {"a data block opened", "Done:\r\n", "CSUB Other\r\nDone:\r\n"},
        {"a data block left open", "END CSUB\r\n", ""},
        {"a TYPE left open", "END TYPE\r\n", ""},
        {"a FUNCTION closed early", "  Twice = n * 2", "END FUNCTION"},
        {"typed at the end", "", "\r\nPRINT 1"},
        {"a line end at the end", "", "\r\n"},
        {"an LF line end", "Done:\r\n", "Done:\n"},
        {"a CR line end", "Done:\r\n", "Done:\r"},
        {"OPTION EXPLICIT removed", "OPTION EXPLICIT\r\n", ""},
        {"the include removed", "#INCLUDE \"lib.inc\"\r\n", ""},
        {"a line number changed", "10 total", "20 total"},
        {"an unclosed string", "PRINT \"a\"", "PRINT \"a"},
    };
    FakeDisk disk;
    disk.files["/p/lib.inc"] = "SUB Greet(who$)\r\n  PRINT who$\r\nEND SUB\r\n";
    for (const Edit& edit : edits) {
        const std::string after = edited(edit);
        ASSERT_NE(after, program) << edit.what;
        AnalysisCache cache;
        analyse_program(program_input(program, disk), cache);
        const ProgramAnalysis scratch = analyse_program(program_input(after, disk));
        EXPECT_TRUE(analyse_program(program_input(after, disk), cache) == scratch) << edit.what;
        // And back: the lines kept from the edited text serve the first one as well.
        EXPECT_TRUE(analyse_program(program_input(program, disk), cache) ==
                    analyse_program(program_input(program, disk)))
            << edit.what;
    }
    // Every text of the table after every other one.
    AnalysisCache cache;
    for (const Edit& edit : edits) {
        const std::string after = edited(edit);
        EXPECT_TRUE(analyse_program(program_input(after, disk), cache) ==
                    analyse_program(program_input(after, disk)))
            << edit.what;
    }
}

TEST(AnalysisMemory, AnIncludeIsReadAgainOnlyWhenItsStampChanges) {
    FakeDisk disk;
    disk.files["/p/lib.inc"] = "SUB Greet(who$)\r\n  PRINT who$\r\nEND SUB\r\n";
    disk.stamps["/p/lib.inc"] = "1";
    AnalysisCache cache;
    analyse_program(program_input(program, disk), cache);
    EXPECT_EQ(disk.reads, 1);
    analyse_program(program_input(program, disk), cache);
    EXPECT_EQ(disk.reads, 1);

    disk.files["/p/lib.inc"] = "SUB Greet(who$, twice)\r\n  PRINT who$\r\nEND SUB\r\nGOTO Lost\r\n";
    disk.stamps["/p/lib.inc"] = "2";
    const ProgramAnalysis changed = analyse_program(program_input(program, disk), cache);
    EXPECT_EQ(disk.reads, 2);
    EXPECT_TRUE(changed == analyse_program(program_input(program, disk)));
    ASSERT_EQ(changed.problems.size(), 1u);
    EXPECT_EQ(changed.problems[0].code, "NOLABEL");
}
