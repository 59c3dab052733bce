// Remove indents and Format: line splitting, block structure, labels, numbers, and a property
// test that Format only ever changes leading blanks and the number field.
#include "tools/transform.h"

#include "support/format_layout.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// Formats `lines` (joined by line feeds) with level 1 and tab size 2 unless told otherwise.
std::string format(const std::string& text, const std::string& names = "", int level = 1,
                   int tab = 2) {
    return format_text(text, names, level, tab);
}

TEST(SplitProgramLines, FinalLineFeedAndEmptyText) {
    EXPECT_TRUE(split_program_lines("").empty());
    EXPECT_EQ(split_program_lines("a\n\nb"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(split_program_lines("a\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(split_program_lines("\n"), (std::vector<std::string_view>{""}));
    // Every line end the editor shows as one counts: CR LF, LF and a lone CR.
    EXPECT_EQ(split_program_lines("a\r\nb\rc\n\r\rd\r"),
              (std::vector<std::string_view>{"a", "b", "c", "", "", "d"}));
}

TEST(RemoveIndents, TrimsSpacesOnlyAndEndsEveryLineWithLineFeed) {
    EXPECT_EQ(remove_indents_text(""), "");
    EXPECT_EQ(remove_indents_text("  a  \r\n\tb \r\n   \r\n c"), "a\n\tb\n\nc\n");
    EXPECT_EQ(remove_indents_text("x\r\r\n"), "x\n\n");
    EXPECT_EQ(remove_indents_text(" a\rb \n"), "a\nb\n"); // a lone CR ends a line too
    EXPECT_EQ(remove_indents_text(std::string("a\0b\n", 4)), std::string("a\0b\n", 4));
}

TEST(FormatText, WorkedExample) {
    EXPECT_EQ(format("SUB main\nfor i = 1 to 3\nprint i\nnext i\nEND SUB\n10 print i"),
              "SUB main\n"
              "  for i = 1 to 3\n"
              "    print i\n"
              "  next i\n"
              "END SUB\n"
              "   10  print i\n");
}

TEST(FormatText, EmptyTextAndLineEnds) {
    EXPECT_EQ(format(""), "");
    EXPECT_EQ(format("a\r\nb\r\n"), "  a\n  b\n");
    EXPECT_EQ(format("FOR i=1 TO 2\r\n\r\nNEXT"), "  FOR i=1 TO 2\n    \n  NEXT\n");
}

TEST(FormatText, StatementTable) {
    // Each opener indents the next line; each closer moves its own line out.
    EXPECT_EQ(format("IF a THEN\nx\nENDIF\ny"), "  IF a THEN\n    x\n  ENDIF\n  y\n");
    EXPECT_EQ(format("if a then\nx\nelse\nx\nendif"),
              "  if a then\n    x\n  else\n    x\n  endif\n");
    EXPECT_EQ(format("IF a THEN\nx\nELSEIF b THEN\nx\nENDIF"),
              "  IF a THEN\n    x\n  ELSEIF b THEN\n    x\n  ENDIF\n");
    EXPECT_EQ(format("FOR i=1 TO 2\nx\nNEXT i"), "  FOR i=1 TO 2\n    x\n  NEXT i\n");
    EXPECT_EQ(format("DO\nx\nLOOP UNTIL a"), "  DO\n    x\n  LOOP UNTIL a\n");
    EXPECT_EQ(format("WHILE a\nx\nWEND"), "  WHILE a\n    x\n  WEND\n");
    EXPECT_EQ(format("PRINT a\nGOTO 10"), "  PRINT a\n  GOTO 10\n");
}

TEST(FormatText, OneLineForms) {
    EXPECT_EQ(format("IF a THEN PRINT b\nx"), "  IF a THEN PRINT b\n  x\n");
    EXPECT_EQ(format("DO : x = x + 1 : LOOP UNTIL x > 3\ny"),
              "  DO : x = x + 1 : LOOP UNTIL x > 3\n  y\n");
    EXPECT_EQ(format("DO WHILE a LOOP\ny"), "  DO WHILE a LOOP\n  y\n");
    EXPECT_EQ(format("FOR i=1 TO 2: NEXT\ny"), "  FOR i=1 TO 2: NEXT\n  y\n");
    // An opener followed by more statements moves its own line in; a closer anywhere moves out.
    EXPECT_EQ(format("IF a THEN : b = 1\nENDIF"), "    IF a THEN : b = 1\n  ENDIF\n");
    EXPECT_EQ(format("FOR i=1 TO 2\nx = 1: NEXT\ny"), "  FOR i=1 TO 2\n  x = 1: NEXT\n  y\n");
}

TEST(FormatText, NextWithSeveralVariablesClosesSeveralLoops) {
    EXPECT_EQ(format("FOR i=1 TO 2\nFOR j=1 TO 2\nx\nNEXT j, i\ny"),
              "  FOR i=1 TO 2\n    FOR j=1 TO 2\n      x\n  NEXT j, i\n  y\n");
}

TEST(FormatText, LevelNeverGoesBelowZero) {
    EXPECT_EQ(format("NEXT\nWEND\nLOOP\nx\nFOR i=1 TO 2\ny"),
              "NEXT\nWEND\nLOOP\nx\nFOR i=1 TO 2\n  y\n");
    EXPECT_EQ(format("x", "", -3), "x\n");
}

TEST(FormatText, SubFunctionAndEndStandAtTheMarginAndKeepTheLevel) {
    EXPECT_EQ(format("FOR i=1 TO 2\nsub a\nFunction b\nEND IF\nend\nx"),
              "  FOR i=1 TO 2\nsub a\nFunction b\nEND IF\nend\n    x\n");
}

TEST(FormatText, CommentsAndStrings) {
    // A colon or apostrophe in a comment, or an apostrophe in a string, opens no statement.
    EXPECT_EQ(format("' FOR in a comment\nPRINT \"it's\" ' : FOR\nx"),
              "  ' FOR in a comment\n  PRINT \"it's\" ' : FOR\n  x\n");
    // A colon inside a string still splits statements.
    EXPECT_EQ(format("PRINT \"a: FOR i\"\nx"), "  PRINT \"a: FOR i\"\n    x\n");
}

TEST(FormatText, LabelsAtTheMarginOnlyWhenAmongTheNamesInCapitals) {
    std::string names = "MAIN MAIN: loop2 loop2: sub1 ";
    EXPECT_EQ(format("MAIN:\nx", names), "MAIN:\n  x\n");
    EXPECT_EQ(format("main:\nx", names), "main:\n  x\n");     // compared in capitals
    EXPECT_EQ(format("loop2:\nx", names), "  loop2:\n  x\n"); // the name is not in capitals
    EXPECT_EQ(format("OTHER:\nx", names), "  OTHER:\n  x\n"); // not a name
    EXPECT_EQ(format("MAI:\nx", names), "  MAI:\n  x\n");     // whole names only
    EXPECT_EQ(format(":\nx", names), "  :\n  x\n");           // an empty label is no label
    EXPECT_EQ(format("10 MAIN:", names), "   10 MAIN:\n");
}

TEST(FormatText, TabsAreOrdinaryText) {
    EXPECT_EQ(format("\tFOR i=1 TO 2\nx"), "  \tFOR i=1 TO 2\n  x\n");
    EXPECT_EQ(format("  x\t "), "  x\t\n");
}

TEST(FormatText, LineNumbers) {
    EXPECT_EQ(format("10 PRINT", "", 0), "   10 PRINT\n");
    EXPECT_EQ(format("10 END"), "   10 END\n");
    EXPECT_EQ(format("12345   x"), "12345  x\n");
    EXPECT_EQ(format("007 x"), "  007  x\n");
    EXPECT_EQ(format("0 x"), "  0 x\n"); // 0 is not a line number
    EXPECT_EQ(format("-5 x"), "  -5 x\n");
    EXPECT_EQ(format("10"), "   10  \n");
    // At the margin the statement keeps one space from the number.
    EXPECT_EQ(format("10 20 x", "", 0), "   10 20 x\n");
}

TEST(FormatText, OnlyWordsMadeOfDigitsAreLineNumbersAndNoWordIsCut) {
    EXPECT_EQ(format("123456 PRINT a"), "123456  PRINT a\n");
    std::string huge(30, '9');
    EXPECT_EQ(format(huge + " x"), huge + "  x\n");
    // A word that merely starts with digits is no line number and is never cut.
    EXPECT_EQ(format("10PRINT a"), "  10PRINT a\n");
    EXPECT_EQ(format("3030180C 906E4646"), "  3030180C 906E4646\n");
    EXPECT_EQ(format("123456END"), "  123456END\n");
    EXPECT_EQ(format("10\tFOR i=1 TO 2\nx"), "  10\tFOR i=1 TO 2\n  x\n");
    EXPECT_EQ(format("00 PRINT"), "  00 PRINT\n"); // a value of 0 is no line number
}

TEST(FormatText, DataBlocksKeepTheirBytesAndTheBlockIndentation) {
    // Hex words of machine code and font data, words starting with 0 and a data line that
    // starts with a digit run followed by letters: none is a line number, none is cut.
    const std::string program = "SUB main\n"
                                "FOR i = 1 TO 2\n"
                                "CSUB Blit integer, integer\n"
                                "   00000000\n"
                                " 906E4646 24242209 3030180C\n"
                                "10 20 0A0B\n"
                                "\t0123 FOR\n"
                                "END CSUB\n"
                                "NEXT\n"
                                "END SUB\n"
                                "DefineFont #9\n"
                                "  3030180C 00000000\n"
                                "End DefineFont\n";
    EXPECT_EQ(format(program), "SUB main\n"
                               "  FOR i = 1 TO 2\n"
                               "    CSUB Blit integer, integer\n"
                               "    00000000\n"
                               "    906E4646 24242209 3030180C\n"
                               "    10 20 0A0B\n"
                               "    \t0123 FOR\n"
                               "END CSUB\n"
                               "  NEXT\n"
                               "END SUB\n"
                               "  DefineFont #9\n"
                               "  3030180C 00000000\n"
                               "End DefineFont\n");
    EXPECT_EQ(format(format(program)), format(program));
}

TEST(FormatText, WritesTheLineEndItIsGiven) {
    EXPECT_EQ(format_text("FOR i=1 TO 2\nx\r\nNEXT", "", 1, 2, "\r\n"),
              "  FOR i=1 TO 2\r\n    x\r\n  NEXT\r\n");
    EXPECT_EQ(remove_indents_text(" a\n b", "\r"), "a\rb\r");
    EXPECT_EQ(format_text_within("x", "", 1, 2, 4, "\r\n"), std::nullopt); // no room for CR LF
    EXPECT_EQ(format_text_within("x", "", 1, 2, 5, "\r\n"), "  x\r\n");
}

TEST(FormatText, FormattingTwiceChangesNothingMore) {
    std::string once = format("10 END\n123456 x\n10PRINT\nFOR i=1 TO 2\n5 20 x\nNEXT", "", 0);
    EXPECT_EQ(once, "   10 END\n123456 x\n10PRINT\nFOR i=1 TO 2\n    5  20 x\nNEXT\n");
    EXPECT_EQ(format(once, "", 0), once);
}

TEST(FormatText, GivesUpWhenTheResultWouldBeTooLarge) {
    std::string nested;
    for (int i = 0; i < 100; ++i) nested += "FOR i=1 TO 2\n";
    std::string full = format(nested, "", 1, 1000);
    ASSERT_GT(full.size(), 1000u);
    EXPECT_EQ(format_text_within(nested, "", 1, 1000, full.size()), full);
    EXPECT_EQ(format_text_within(nested, "", 1, 1000, full.size() - 1), std::nullopt);
    EXPECT_EQ(format_text_within("x", "", std::numeric_limits<int>::max(), 1000, 1 << 20),
              std::nullopt);
    EXPECT_EQ(format_text_within("x", "", std::numeric_limits<int>::max(), 0, 1 << 20), "x\n");
    EXPECT_EQ(format_text_within("", "", 1, 2, 0), "");
}

TEST(FormatText, FormatLineCarriesStateBetweenCalls) {
    FormatState state{1, 0};
    EXPECT_EQ(format_line("  FOR i=1 TO 2 ", state, "", 4), "    FOR i=1 TO 2");
    EXPECT_EQ(state.level, 2);
    EXPECT_EQ(format_line("LAB:", state, "X LAB ", 4), "LAB:");
    EXPECT_EQ(format_line("NEXT", state, "", 4), "    NEXT");
    EXPECT_EQ(state.level, 1);
}

TEST(FormatText, PropertyChangesNothingButLeadingBlanksAndTheNumberField) {
    const std::vector<std::string> pieces = {
        "FOR",      "NEXT",     "IF",     "THEN",     "ELSE", "ENDIF", "DO",   "LOOP",
        "WHILE",    "WEND",     "SUB",    "END",      "x",    "10",    "0",    "123456",
        "LBL:",     "lbl:",     "\"",     "'",        ":",    ",",     "\t",   "é",
        "10X",      "=",        "ELSEIF", "FUNCTION", "\r",   "  ",    "CSUB", "DEFINEFONT",
        "END CSUB", "3030180C", "0A",     "SELECT",   "CASE", "TYPE",  "REM",  "END IF"};
    std::mt19937 random(12345);
    for (int program = 0; program < 300; ++program) {
        std::string text;
        int lines = std::uniform_int_distribution<int>(0, 40)(random);
        for (int l = 0; l < lines; ++l) {
            int words = std::uniform_int_distribution<int>(0, 6)(random);
            for (int w = 0; w < words; ++w) {
                text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() -
                                                                                 1)(random)];
                if (random() % 3 != 0) text += ' ';
            }
            text += random() % 2 ? "\n" : "\r\n";
        }
        int level = std::uniform_int_distribution<int>(0, 3)(random);
        int tab = std::uniform_int_distribution<int>(0, 4)(random);
        // Both syntaxes: the Maximite one reads more blocks but must change no more.
        const Syntax syntax = program % 2 ? Syntax::maximite : Syntax::alternate;
        std::string out = format_text(text, "LBL LBL: ", level, tab, "\n", syntax);
        std::vector<std::string_view> in_lines = split_program_lines(text);
        std::vector<std::string_view> out_lines = split_program_lines(out);
        ASSERT_EQ(in_lines.size(), out_lines.size()) << text;
        for (std::size_t i = 0; i < in_lines.size(); ++i) {
            std::string_view in = clean_program_line(in_lines[i]);
            ASSERT_EQ(without_layout(out_lines[i]), without_layout(in)) << "line " << i;
            ASSERT_EQ(words_of(out_lines[i]), words_of(in)) << "line " << i;
            ASSERT_EQ(out_lines[i].find('\r'), std::string_view::npos);
        }
        ASSERT_EQ(format_text(out, "LBL LBL: ", level, tab, "\n", syntax), out) << text;
    }
}

} // namespace
