// The analysis on well-formed programs of every shape (no problem at all) and on one mistake of
// each kind (exactly that problem, on its line), with the silencing comment.
#include "analysis/analysis.h"

#include "support/analysis_disk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ProgramAnalysis analyse(const std::string& text, const FakeDisk& disk = {}) {
    return analyse_program(program_input(text, disk));
}

std::string describe(const ProgramAnalysis& analysis) {
    std::string out;
    for (const Problem& p : analysis.problems)
        out += p.code + " file " + std::to_string(p.at.file) + " line " +
               std::to_string(p.at.line + 1) + ": " + p.message + "\n";
    return out;
}

const char* const structured = R"(OPTION EXPLICIT
CONST MAX_ITEMS = 10, TITLE$ = "Stock: 'A'"
DIM INTEGER count, items(MAX_ITEMS)
DIM total AS FLOAT, name$ LENGTH 20
TYPE point
  x AS INTEGER
  y AS INTEGER
END TYPE
DIM p AS point
p.x = 1: p.y = 2
count = 0
SETTICK 1000, Tick
ON ERROR SKIP 1
RESTORE Values
FOR count = 1 TO MAX_ITEMS STEP 1
  READ items(count)
  IF items(count) > 5 THEN
    PRINT "big: "; items(count)
  ELSEIF items(count) = 5 THEN
    PRINT "five"
  ELSE IF items(count) < 0 THEN
    EXIT FOR
  ELSE
    total = total + Scaled(items(count), 2)
  END IF
NEXT count
DO WHILE total > 0
  total = total - 1: IF total < 3 THEN EXIT DO
LOOP
WHILE count > 0: count = count - 1: WEND
SELECT CASE count
  CASE 1, 2
    Show "one or two", p.x
  CASE IS > 2
    GOSUB Done
  CASE ELSE
    IF count = 0 THEN Show "none" ELSE PRINT MM.INFO(VERSION)
END SELECT
INPUT "Your name"; name$
LINE INPUT name$
PRINT name$, TITLE$, p.y, total
END
Done:
  PRINT "done" : RETURN
Values:
DATA 1, 2, 3, abc, "x:y"

SUB Show(text$, n)
  LOCAL i, shown$
  FOR i = 1 TO n: shown$ = shown$ + text$: NEXT
  PRINT shown$
  IF n > 3 THEN EXIT SUB
END SUB

FUNCTION Scaled(v, f) AS FLOAT
  STATIC calls
  calls = calls + 1
  Scaled = v * f + calls
END FUNCTION

SUB Tick
  count = count + 1
END SUB
)";

const char* const numbered = "10 INPUT \"Guess\"; G\n"
                             "20 IF G <> N THEN GOTO 40 ELSE 50\n"
                             "30 ON G GOTO 10, 40, 50 : GOSUB 100\n"
                             "40 PRINT \"low\" : GOTO 10\n"
                             "50 PRINT \"right\" : IF G = 1 THEN 10\n"
                             "60 END\n"
                             "100 PRINT N : RETURN\n";

const char* const data_blocks = "MyCode 1, 2, 3\n"
                                "PRINT Twice(4)\n"
                                "CSUB MyCode integer, integer\n"
                                "  00000000\n"
                                "  4FF0E92D 1AB0F8D0 IF THEN ENDIF\n"
                                "END CSUB\n"
                                "CFUNCTION Twice\n"
                                "  00000001 E12FFF1E\n"
                                "END CFUNCTION\n"
                                "DEFINEFONT #8\n"
                                "  02200804 00000000 FOR\n"
                                "END DEFINEFONT\n";

const char* const continued = "PRINT \"a\", _\n"
                              "  Sum(1, _\n"
                              "      2)\n"
                              "FUNCTION Sum(a, b)\n"
                              "  Sum = a + b\n"
                              "END FUNCTION\n";

TEST(Analysis, WellFormedProgramsOfEveryShapeHaveNoProblem) {
    for (const char* program : {structured, numbered, data_blocks, continued, ""}) {
        const ProgramAnalysis analysis = analyse(program);
        EXPECT_EQ(describe(analysis), "") << program;
    }
}

TEST(Analysis, IncludesAreReadBesideTheProgramThenInTheIncludeFolder) {
    FakeDisk disk;
    disk.files["/p/lib.inc"] =
        "#INCLUDE \"deep.inc\"\r\nSUB Greet(who$)\r\n  Deeper who$\r\nEND SUB\r\n";
    disk.files["/inc/deep.inc"] = "SUB Deeper(w$)\n  PRINT w$ : GOTO There\nThere:\nEND SUB\n";
    const ProgramAnalysis analysis = analyse("#INCLUDE \"lib.inc\"\nGreet \"you\"\n", disk);
    EXPECT_EQ(describe(analysis), "");
    ASSERT_EQ(analysis.files.size(), 3u);
    EXPECT_EQ(analysis.files[2].path, "/inc/deep.inc");

    FakeDisk missing;
    const ProgramAnalysis lost = analyse("#INCLUDE \"lib.inc\"\nPRINT 1\n", missing);
    ASSERT_EQ(lost.problems.size(), 1u);
    EXPECT_EQ(lost.problems[0].code, "NOINCLUDE");
}

struct Mistake {
    const char* program;
    const char* code;
    std::size_t line; // 1-based
};

TEST(Analysis, EachMistakeIsOneProblemOnItsLine) {
    const Mistake mistakes[] = {
        {"IF x THEN\n  PRINT 1\n", "UNCLOSED", 1},
        {"PRINT 1\nENDIF\n", "UNOPENED", 2},
        {"SUB A\n  FOR i = 1 TO 2\n  PRINT i\nEND SUB\n", "UNCLOSED", 2},
        {"FOR i = 1 TO 2\n  FOR j = 1 TO 2\n  NEXT i\nNEXT i\n", "NEXTVAR", 3},
        {"DO\n  PRINT 1\nWEND\nLOOP\n", "UNOPENED", 3},
        {"WHILE 1\nLOOP\nWEND\n", "UNOPENED", 2},
        {"SELECT CASE x\nCASE 1\n", "UNCLOSED", 1},
        {"PRINT 1\nCASE 1\n", "UNOPENED", 2},
        {"FUNCTION F\n  F = 1\nEND SUB\n", "UNOPENED", 3},
        {"TYPE t\n  a AS INTEGER\n", "UNCLOSED", 1},
        {"PRINT 1\nEXIT FOR\n", "EXIT", 2},
        {"SUB A\n  EXIT FUNCTION\nEND SUB\n", "EXIT", 2},
        {"GOTO Nowhere\n", "NOLABEL", 1},
        {"10 GOSUB 200\n20 END\n", "NOLABEL", 1},
        {"IF x THEN 30\n", "NOLABEL", 1},
        {"ON x GOTO A, B\nA:\n", "NOLABEL", 1},
        {"RESTORE Table\n", "NOLABEL", 1},
        {"Top:\nPRINT 1\nTop:\n", "DUPLABEL", 3},
        {"SUB A\nEND SUB\nFUNCTION a\nEND FUNCTION\n", "DUPSUB", 3},
        {"Greet 1\n", "NOSUB", 1},
        {"PRINT Twice(3)\n", "NOSUB", 1},
        {"Show 1, 2, 3\nSUB Show(a, b)\nEND SUB\n", "ARGS", 1},
        {"PRINT F(1, 2)\nFUNCTION F(a)\n  F = a\nEND FUNCTION\n", "ARGS", 1},
        {"OPTION EXPLICIT\nDIM a\na = b\nPRINT a\n", "UNDECLARED", 3},
        {"OPTION EXPLICIT\nSUB S\n  LOCAL n\n  m = 1 : PRINT n\nEND SUB\n", "UNDECLARED", 4},
        {"unused = 5\n", "UNUSED", 1},
        {"DIM n\nn = 1 : PRINT n\nSUB S\n  LOCAL n\n  n = 2 : PRINT n\nEND SUB\n", "HIDES", 4},
        {nullptr, "LONGLINE", 1}, // a PRINT of 260 characters
        {"PRINT \"caf\xC3\xA9\"\n", "BADCHAR", 1},
        {"PRINT 1\nPRINT \"open\n", "STRING", 2},
        {"CSUB C\n  0000\n", "UNCLOSED", 1},
    };
    for (const Mistake& m : mistakes) {
        std::string program = m.program ? m.program : "PRINT \"" + std::string(260, 'x') + "\"\n";
        const ProgramAnalysis analysis = analyse(program);
        ASSERT_EQ(analysis.problems.size(), 1u) << program << describe(analysis);
        EXPECT_EQ(analysis.problems[0].code, m.code) << program;
        EXPECT_EQ(analysis.problems[0].at.line + 1, m.line) << program;
        const Problem& p = analysis.problems[0];
        EXPECT_LE(p.at.offset + p.at.length, program.size());

        // The same line with the code named in its comment has no problem.
        std::string silenced = program;
        std::size_t line_end = 0;
        for (std::size_t n = 0; n <= p.at.line; ++n)
            line_end = silenced.find('\n', line_end + (n > 0));
        silenced.insert(line_end, std::string(" ' ignore: OTHER, ") + m.code);
        if (m.code != std::string("STRING")) {
            EXPECT_EQ(describe(analyse(silenced)), "") << silenced;
        }
    }
}

TEST(Analysis, UsesAndDefinitionsFollowScope) {
    const std::string program =
        "DIM n\nn = 1 : PRINT n ' ignore: HIDES\nSUB S(n)\n  PRINT n\nEND SUB\n"
        "S n\n";
    const ProgramAnalysis analysis = analyse(program);
    const auto global = definition_at(analysis, 0, program.find("PRINT n") + 6);
    const auto parameter = definition_at(analysis, 0, program.find("  PRINT n") + 8);
    ASSERT_TRUE(global && parameter);
    EXPECT_NE(*global, *parameter);
    EXPECT_EQ(spans_of(analysis, *global).size(), 4u);    // DIM, set, PRINT, argument of S
    EXPECT_EQ(spans_of(analysis, *parameter).size(), 2u); // the parameter and its PRINT
    const auto routine = definition_at(analysis, 0, program.rfind("S n"));
    ASSERT_TRUE(routine);
    EXPECT_EQ(analysis.definitions[*routine].kind, NameKind::sub);
}

} // namespace
