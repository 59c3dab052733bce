// The variable report leaves out what is no variable: directives, OPTION words, named arguments
// of commands, members after a dot, labels and structure members.
#include "tools/variable_report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string names_of(const VariableReport& report) {
    std::string out;
    for (const ReportedName& entry : report.names) out += entry.name + " ";
    return out;
}

struct Case {
    const char* program;
    const char* names; // every name the report lists, in its order
};

TEST(VariableReportWords, WhatIsNoVariableIsNotReported) {
    const Case cases[] = {
        {"#INCLUDE \"lib.inc\"\n#DEFINE \"A\",\"B\"\nx = 1: Print x\n", "x "},
        {"Option CodePage CMM2\nOption Explicit\nOPTION DEFAULT INTEGER\nDim n\nn = 1: Print n\n",
         "n "},
        {"Colour RGB(Black), Red\nText 10, 10, \"Hi\", CM\nSetPin GP5, DOUT: Pin(GP5) = 1\n"
         "Print MM.HRES\n",
         ""},
        {"Dim p As point\np.x = 1: Print p.x + ctrl.left\n", "ctrl.left p "},
        {"Start:\nOn k GoSub First, Second\nGoTo Start\nFirst: Return\nSecond: Return\n"
         "k = 1\n",
         "k "},
        {"Type point\n  x As integer\n  y As integer\nEnd Type\nDim a As point\na.y = 2: Print "
         "a.y\n",
         "a "},
    };
    for (const Case& c : cases) {
        const VariableReport report = make_variable_report(c.program, "PRINT COLOUR RGB TEXT "
                                                                      "SETPIN PIN TYPE ");
        EXPECT_EQ(names_of(report), c.names) << c.program;
    }
}

TEST(VariableReportWords, ProgramsOwnNamesStillCount) {
    // A name that the program sets is its own, even when a command could take it as a word.
    const VariableReport report = make_variable_report("Red = 5\nPrint Red + missing\n", "PRINT ");
    EXPECT_EQ(names_of(report), "missing Red ");
    ASSERT_FALSE(report.warnings.empty());
    EXPECT_NE(report.warnings.front().text.find("missing"), std::string::npos);
}

} // namespace
