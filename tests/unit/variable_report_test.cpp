// The variable report on a structured program and a numbered listing: kinds, types, scopes,
// the lines that set and use each name, the warnings, and the text with its line numbers.
#include "tools/variable_report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = ReportedName::Kind;

const char* const structured = "OPTION EXPLICIT\n"                        // 1
                               "CONST MAX_N% = 10\n"                      // 2
                               "DIM INTEGER total, counts(MAX_N%)\n"      // 3
                               "DIM name$ AS STRING = \"it's\" ' x = 1\n" // 4
                               "total = 0\n"                              // 5
                               "FOR i% = 1 TO MAX_N%\n"                   // 6
                               "  counts(i%) = sq(i%): Show counts(i%)\n" // 7
                               "NEXT i%\n"                                // 8
                               "PRINT Total; \"unused$\"\n"               // 9
                               "SUB Show(v%)\n"                           // 10
                               "  LOCAL total, spare\n"                   // 11
                               "  LOCAL spare\n"                          // 12
                               "  total = v% * 2\n"                       // 13
                               "  PRINT total, missing\n"                 // 14
                               "END SUB\n"                                // 15
                               "FUNCTION sq(x) AS INTEGER\n"              // 16
                               "  sq = x * x\n"                           // 17
                               "END FUNCTION\n"                           // 18
                               "CSUB blink\n  00000000 total\nEND CSUB\n";

const ReportedName* find(const VariableReport& report, const std::string& name,
                         const std::string& scope = "") {
    for (const ReportedName& entry : report.names)
        if (entry.name == name && entry.scope == scope) return &entry;
    return nullptr;
}

bool has_warning(const VariableReport& report, std::size_t line, const std::string& part) {
    for (const ReportWarning& warning : report.warnings)
        if (warning.line == line && warning.text.find(part) != std::string::npos) return true;
    return false;
}

TEST(VariableReport, NamesKindsTypesAndLines) {
    const VariableReport report = make_variable_report(structured, "");
    const ReportedName* total = find(report, "total");
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->kind, Kind::variable);
    EXPECT_EQ(total->type, "INTEGER");
    EXPECT_EQ(total->declaration, "DIM");
    EXPECT_EQ(total->declared, (std::vector<std::size_t>{3}));
    EXPECT_EQ(total->set, (std::vector<std::size_t>{5}));
    EXPECT_EQ(total->used, (std::vector<std::size_t>{9}));

    const ReportedName* counts = find(report, "counts");
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->kind, Kind::array);
    EXPECT_EQ(counts->set, (std::vector<std::size_t>{7}));
    EXPECT_EQ(counts->used, (std::vector<std::size_t>{7}));
    EXPECT_EQ(find(report, "name$")->type, "STRING");
    EXPECT_EQ(find(report, "name$")->set, (std::vector<std::size_t>{4}));
    EXPECT_EQ(find(report, "MAX_N%")->kind, Kind::constant);
    EXPECT_EQ(find(report, "MAX_N%")->used, (std::vector<std::size_t>{3, 6}));
    EXPECT_EQ(find(report, "Show")->kind, Kind::sub);
    EXPECT_EQ(find(report, "Show")->used, (std::vector<std::size_t>{7}));
    EXPECT_EQ(find(report, "sq")->type, "INTEGER");
    EXPECT_EQ(find(report, "sq")->used, (std::vector<std::size_t>{7}));
    EXPECT_EQ(find(report, "v%", "Show")->kind, Kind::parameter);
    EXPECT_EQ(find(report, "total", "Show")->set, (std::vector<std::size_t>{13}));
    EXPECT_EQ(find(report, "x", "sq")->used, (std::vector<std::size_t>{17}));
    EXPECT_EQ(find(report, "x"), nullptr);       // only in a comment
    EXPECT_EQ(find(report, "unused$"), nullptr); // only in a string
    EXPECT_EQ(find(report, "blink"), nullptr);

    // Sorted by name regardless of case.
    for (std::size_t i = 1; i < report.names.size(); ++i) {
        std::string a = report.names[i - 1].name, b = report.names[i].name;
        for (char& c : a) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (char& c : b) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_LE(a, b);
    }
}

TEST(VariableReport, Warnings) {
    const VariableReport report = make_variable_report(structured, "");
    EXPECT_TRUE(has_warning(report, 6, "i% is not declared"));
    EXPECT_TRUE(has_warning(report, 9, "differ only in case"));
    EXPECT_TRUE(has_warning(report, 11, "hides the global total"));
    EXPECT_TRUE(has_warning(report, 12, "spare is declared twice"));
    EXPECT_TRUE(has_warning(report, 14, "missing is used but never set"));
    EXPECT_TRUE(has_warning(report, 4, "name$ is set but never used"));
    EXPECT_FALSE(has_warning(report, 5, "total"));
}

TEST(VariableReport, NumberedListingAndLabels) {
    const VariableReport report =
        make_variable_report("10 INPUT \"Guess\"; G\n20 IF G <> N THEN GOTO 10 ELSE 40\n"
                             "30 READ a, b(2): GOSUB done\n40 done: PRINT a, b(1), N\n"
                             "50 REMAINDER = 1\n",
                             "print ");
    EXPECT_EQ(find(report, "G")->set, (std::vector<std::size_t>{1}));
    EXPECT_EQ(find(report, "G")->used, (std::vector<std::size_t>{2}));
    EXPECT_EQ(find(report, "a")->set, (std::vector<std::size_t>{3}));
    EXPECT_EQ(find(report, "done"), nullptr);
    EXPECT_EQ(find(report, "b"), nullptr); // b() is never dimensioned: a call of something else
    EXPECT_TRUE(has_warning(report, 2, "N is used but never set"));
    EXPECT_TRUE(has_warning(report, 5, "REMAINDER is set but never used"));
    EXPECT_FALSE(has_warning(report, 1, "not declared")); // no OPTION EXPLICIT here
}

TEST(VariableReport, TextHasOneNameALineAndLineNumbersAsWords) {
    const std::string text =
        format_variable_report(make_variable_report("a = 1\nPRINT a, a\n", ""), "p.bas");
    EXPECT_NE(text.find("p.bas"), std::string::npos);
    EXPECT_NE(text.find("a                   variable   FLOAT    global  set 1  used 2\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("' Warnings\nnone\n"), std::string::npos);
}

TEST(VariableReport, OneLongLineAndOddInput) {
    std::string line = "x = 1";
    for (int i = 0; i < 400000; ++i) line += ": y = x + \"a'b\"";
    const VariableReport report = make_variable_report(line, "");
    EXPECT_EQ(find(report, "y")->set.size(), 1u);
    for (const char* odd : {"SUB", "FUNCTION (", "DIM", "DIM a(", "CONST = 1", "INPUT \"", "FOR",
                            "a(((", "LOCAL ,,,", "END SUB\nEND SUB", ")))) = 1"})
        make_variable_report(odd, "");
}

} // namespace
