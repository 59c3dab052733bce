// Format by the Maximite syntax: END IF, SELECT CASE, TYPE and one-line IFs, and a property over
// generated programs: every block closes where it opened.
#include "tools/transform.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string format(const std::string& text, int tab = 2) {
    return format_text(text, "", 1, tab, "\n", Syntax::maximite);
}

std::string lines(std::initializer_list<const char*> texts) {
    std::string out;
    for (const char* text : texts) out += std::string(text) + "\n";
    return out;
}

struct Case {
    std::string program;
    std::string formatted;
};

TEST(MaximiteFormat, BlocksOpenAndClose) {
    const Case cases[] = {
        {lines({"If a Then", "x=1", "Else If b Then", "x=2", "ElseIf c Then", "x=3", "Else", "x=4",
                "End If", "y=1"}),
         lines({"  If a Then", "    x=1", "  Else If b Then", "    x=2", "  ElseIf c Then",
                "    x=3", "  Else", "    x=4", "  End If", "  y=1"})},
        {lines({"Select Case k", "Case 1", "Print 1", "Case 2, 3: Print 2", "Case Else", "Print 0",
                "End Select", "x=1"}),
         lines({"  Select Case k", "    Case 1", "      Print 1", "    Case 2, 3: Print 2",
                "    Case Else", "      Print 0", "  End Select", "  x=1"})},
        {lines({"Type point", "x As float", "y As float", "End Type", "Dim p As point"}),
         lines({"  Type point", "    x As float", "    y As float", "  End Type",
                "  Dim p As point"})},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.program), c.formatted) << c.program;
}

TEST(MaximiteFormat, StatementsOfOneLine) {
    const Case cases[] = {
        // Anything after THEN but a comment makes a one-line IF.
        {lines({"If a Then Print 1", "If a Then: Print 1", "x=1"}),
         lines({"  If a Then Print 1", "  If a Then: Print 1", "  x=1"})},
        {lines({"If a Then ' why", "x=1", "EndIf"}),
         lines({"  If a Then ' why", "    x=1", "  EndIf"})},
        {lines({"IF (a>1)THEN REM why", "x=1", "ENDIF"}),
         lines({"  IF (a>1)THEN REM why", "    x=1", "  ENDIF"})},
        // Blocks opened and closed on one line.
        {lines({"For i=1 To 3: Read c(i): Next", "Do: k$=Inkey$: Loop Until k$<>\"\"", "x=1"}),
         lines(
             {"  For i=1 To 3: Read c(i): Next", "  Do: k$=Inkey$: Loop Until k$<>\"\"", "  x=1"})},
        // A line stands at the outermost level of its statements.
        {lines({"For i=1 To 3: x=i", "y=i: Next"}), lines({"  For i=1 To 3: x=i", "  y=i: Next"})},
        // REM ends the statements: what follows it is a comment.
        {lines({"x=1: REM : For i=1 To 3", "y=1"}), lines({"  x=1: REM : For i=1 To 3", "  y=1"})},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.program), c.formatted) << c.program;
}

TEST(MaximiteFormat, MarginWordsEndAndExitAndNames) {
    const Case cases[] = {
        {lines({"Sub main", "If a Then", "End", "Exit Sub", "End If", "End Sub", "Function f()",
                "f=1", "END FUNCTION"}),
         lines({"Sub main", "  If a Then", "    End", "    Exit Sub", "  End If", "End Sub",
                "Function f()", "  f=1", "END FUNCTION"})},
        // Words that merely start like block words change nothing.
        {lines({"Loop.count=1", "Next$=\"\"", "Fortune=1", "Case_1=2", "Selected=1", "EndIfs=1"}),
         lines({"  Loop.count=1", "  Next$=\"\"", "  Fortune=1", "  Case_1=2", "  Selected=1",
                "  EndIfs=1"})},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.program), c.formatted) << c.program;
}

// A generated well-formed program: each line with the level it must stand at (-1: the margin).
struct Line {
    int level;
    std::string text;
};

class ProgramMaker {
  public:
    explicit ProgramMaker(unsigned seed) : random_(seed) {}

    std::vector<Line> program() {
        std::vector<Line> out;
        for (int sub = pick(1, 4); sub > 0; --sub) {
            const bool function = pick(0, 1) != 0;
            out.push_back({-1, function ? "Function f" + std::to_string(sub) + "()"
                                        : "Sub s" + std::to_string(sub) + "(a)"});
            body(out, 1, 0);
            out.push_back({-1, function ? "End Function" : "End Sub"});
        }
        body(out, 1, 0);
        return out;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    const char* any(std::initializer_list<const char*> texts) {
        return texts.begin()[pick(0, static_cast<int>(texts.size()) - 1)];
    }

    void body(std::vector<Line>& out, int level, int depth) {
        for (int n = pick(0, 4); n > 0; --n) {
            if (depth < 4 && pick(0, 2) == 0) {
                block(out, level, depth + 1);
            } else {
                out.push_back({level, any({"x = 1", "Print \"a: Next\"; x", "x=1: y=2",
                                           "If a Then b=1 Else b=2", "REM For i=1 To 3", "' Do",
                                           "End", "Exit For", "Do: x=x+1: Loop Until x>3",
                                           "If k Then Exit Do", ""})});
            }
        }
    }

    void block(std::vector<Line>& out, int level, int depth) {
        switch (pick(0, 5)) {
        case 0:
            out.push_back({level, any({"If a>1 Then", "IF (a)THEN ' why", "if a then rem x"})});
            body(out, level + 1, depth);
            if (pick(0, 1)) {
                out.push_back({level, any({"Else", "ElseIf b Then", "Else If c Then"})});
                body(out, level + 1, depth);
            }
            out.push_back({level, any({"End If", "EndIf", "END IF"})});
            break;
        case 1:
            out.push_back({level, "For i=1 To 3 Step 1"});
            body(out, level + 1, depth);
            out.push_back({level, any({"Next", "Next i", "next  i"})});
            break;
        case 2:
            out.push_back({level, any({"Do", "Do While x<3", "DO UNTIL x"})});
            body(out, level + 1, depth);
            out.push_back({level, any({"Loop", "Loop Until x>3", "LOOP WHILE x"})});
            break;
        case 3:
            out.push_back({level, "While x<3"});
            body(out, level + 1, depth);
            out.push_back({level, "Wend"});
            break;
        case 4:
            out.push_back({level, any({"Select Case k", "SELECT CASE k$"})});
            for (int n = pick(0, 3); n > 0; --n) {
                out.push_back(
                    {level + 1, any({"Case 1", "Case 2, 3", "CASE \"a\" TO \"z\"", "Case Else"})});
                body(out, level + 2, depth);
            }
            out.push_back({level, any({"End Select", "END SELECT"})});
            break;
        default:
            out.push_back({level, "Type point"});
            out.push_back({level + 1, "x As integer"});
            out.push_back({level, "End Type"});
            break;
        }
    }

    std::mt19937 random_;
};

TEST(MaximiteFormat, PropertyEveryBlockClosesWhereItOpened) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        ProgramMaker maker(seed);
        const std::vector<Line> program = maker.program();
        std::string text, expected;
        std::mt19937 blanks(seed);
        for (const Line& line : program) {
            text += std::string(blanks() % 4, ' ') + line.text + (blanks() % 2 ? "\n" : "\r\n");
            expected += std::string(line.level < 0 ? 0 : 3 * line.level, ' ') + line.text + "\n";
        }
        const std::string out = format(text, 3);
        ASSERT_EQ(out, expected) << "seed " << seed;
        ASSERT_EQ(format(out, 3), out) << "seed " << seed;
    }
}

} // namespace
