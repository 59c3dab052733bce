// The name rules of one line: SUB and FUNCTION headers and labels.
#include "editor/names.h"

#include <gtest/gtest.h>

namespace {

TEST(NamesRules, HeadersGiveTheIdentifierThatCallsUse) {
    EXPECT_TRUE(line_names("Sub Main").header);
    EXPECT_EQ(line_names("Sub Main").name, "Main");
    EXPECT_EQ(line_names("Sub Draw(x, y)").name, "Draw");
    EXPECT_EQ(line_names("function Area( w, h)").name, "Area");
    EXPECT_EQ(line_names("SUB main()").name, "main");
    EXPECT_EQ(line_names("SUB greet(name$)").name, "greet");
    EXPECT_EQ(line_names("FUNCTION f%(a)").name, "f%");
    EXPECT_EQ(line_names("Function name$ (x)").name, "name$");
    EXPECT_EQ(line_names("  sub   Indented").name, "Indented");
    EXPECT_EQ(line_names("\tSUB\tTabbed\t(a)").name, "Tabbed"); // TABs are blanks too
    EXPECT_EQ(line_names("SUB (x)").name, "");
    EXPECT_FALSE(line_names("Subroutine x").header);
    EXPECT_FALSE(line_names("END SUB").header);
    EXPECT_EQ(line_names("Sub").name, "");
}

TEST(NamesRules, LabelsEndWithAColon) {
    EXPECT_EQ(line_names("Start:").label, "Start");
    EXPECT_EQ(line_names("  Loop1: PRINT x").label, "Loop1");
    EXPECT_EQ(line_names("a = 1: b = 2").label, "");
    EXPECT_EQ(line_names(":").label, "");
    EXPECT_EQ(line_names("x::").label, "x:");
}

TEST(NamesRules, FieldsAndLineEnds) {
    EXPECT_EQ(without_line_end("abc\r\n"), "abc");
    EXPECT_EQ(without_line_end("abc\r"), "abc");
    EXPECT_EQ(first_field("\t PRINT x"), "PRINT");
    EXPECT_EQ(second_field("PRINT x y"), "x");
    EXPECT_EQ(second_field("PRINT"), "");
    EXPECT_EQ(first_field("Start:\tPRINT"), "Start:");
}

} // namespace
