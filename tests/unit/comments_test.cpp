// Remove blank lines, and comments with them: what is a comment, what stays whole, and the
// property that every code line keeps its code bytes.
#include "tools/comments.h"
#include "tools/line_scan.h"
#include "tools/transform.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

const char* const structured_program = "' Blink the LED\r\n"
                                       "OPTION EXPLICIT\r\n"
                                       "\r\n"
                                       "  \t \r\n"
                                       "SUB blink(n%)  ' n% times\r\n"
                                       "  LOCAL i% : REM counter\r\n"
                                       "  FOR i% = 1 TO n%\r\n"
                                       "    PRINT \"Don't \"\"stop\"\" ' here\"   \r\n"
                                       "    REMAINDER = i% MOD 2 : REM_X = 1\r\n"
                                       "  NEXT\r\n"
                                       "END SUB\r\n"
                                       "CSUB code\r\n"
                                       "\r\n"
                                       "  00000000 'not a comment\r\n"
                                       "END CSUB\r\n"
                                       "x = 1 + _\r\n"
                                       "\r\n"
                                       "REM the end";

TEST(RemoveBlankLines, KeepsEveryOtherLineWhole) {
    EXPECT_EQ(remove_blank_lines(structured_program),
              "' Blink the LED\nOPTION EXPLICIT\nSUB blink(n%)  ' n% times\n"
              "  LOCAL i% : REM counter\n  FOR i% = 1 TO n%\n"
              "    PRINT \"Don't \"\"stop\"\" ' here\"   \n"
              "    REMAINDER = i% MOD 2 : REM_X = 1\n  NEXT\nEND SUB\nCSUB code\n\n"
              "  00000000 'not a comment\nEND CSUB\nx = 1 + _\n\nREM the end\n");
    EXPECT_EQ(remove_blank_lines(""), "");
    EXPECT_EQ(remove_blank_lines("\n\n \r\n", "\r\n"), "");
}

TEST(RemoveComments, CommentsGoCodeStays) {
    EXPECT_EQ(remove_comments_and_blank_lines(structured_program, "\r\n"),
              "OPTION EXPLICIT\r\nSUB blink(n%)\r\n  LOCAL i% :\r\n  FOR i% = 1 TO n%\r\n"
              "    PRINT \"Don't \"\"stop\"\" ' here\"   \r\n"
              "    REMAINDER = i% MOD 2 : REM_X = 1\r\n  NEXT\r\nEND SUB\r\nCSUB code\r\n\r\n"
              "  00000000 'not a comment\r\nEND CSUB\r\nx = 1 + _\r\n\r\n");
}

TEST(RemoveComments, NumberedLinesThatAreJumpedToStay) {
    EXPECT_EQ(remove_comments_and_blank_lines("10 REM start\n20 ' x\n30 PRINT: REM y\n"
                                              "40 GOTO 10\nstart: ' here\nIF a THEN REM b\n"),
              "10 REM start\n30 PRINT:\n40 GOTO 10\nstart:\nIF a THEN\n");
}

TEST(RemoveComments, OneLongLineAndUnclosedString) {
    std::string line = "PRINT \"";
    line.append(5 << 20, '\'');
    EXPECT_EQ(remove_comments_and_blank_lines(line), line + "\n");
    std::string commented = "x = 1 '" + std::string(5 << 20, 'c');
    EXPECT_EQ(remove_comments_and_blank_lines(commented), "x = 1\n");
}

TEST(LineScan, CommentStartAndContinuation) {
    EXPECT_EQ(comment_start("a = \"'\" ' c", 0), 8u);
    bool rem = false;
    EXPECT_EQ(comment_start("x: rem c", 0, &rem), 3u);
    EXPECT_TRUE(rem);
    EXPECT_EQ(comment_start("REMAINDER = 1", 0), std::string_view::npos);
    EXPECT_EQ(comment_start("PRINT REM", 0), std::string_view::npos); // a variable named REM
    EXPECT_TRUE(continues_on_next_line("a = b + _ ' more", 0));
    EXPECT_FALSE(continues_on_next_line("a = b_", 0));
    EXPECT_FALSE(continues_on_next_line("PRINT \"a _", 0));
    EXPECT_EQ(leading_line_number("  0100 x"), "0100");
    for (const char* none : {"-10 x", "10PRINT", "0 x", "1.5 x", "x"})
        EXPECT_EQ(leading_line_number(none), "") << none;
}

// Random programs of code lines, comment lines, blank lines and data blocks.
std::string random_program(std::mt19937& random) {
    const char* code[] = {"PRINT \"it's\"", "A$ = \"REM\" + B$", "x = 1: y = 2",
                          "10 GOTO 10",     "REMAINDER = 3",     "IF a THEN b = \"'\""};
    const char* comments[] = {" ' note", " : REM note", "", ""};
    std::string text;
    const int count = static_cast<int>(random() % 30);
    for (int i = 0; i < count; ++i) {
        switch (random() % 5) {
        case 0:
            text += random() % 2 ? "" : "   ";
            break;
        case 1:
            text += "' only a comment";
            break;
        case 2:
            text += "CSUB c\n\n  0000 ' data\nEND CSUB";
            break;
        default:
            text += std::string(code[random() % std::size(code)]) +
                    comments[random() % std::size(comments)];
        }
        text += "\n";
    }
    return text;
}

TEST(RemoveCommentsProperty, EveryCodePartStaysByteForByte) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const std::string program = random_program(random);
        std::vector<std::string> expected;
        bool in_block = false;
        for (std::string_view line : split_program_lines(program)) {
            if (line.substr(0, 4) == "CSUB") in_block = true;
            if (in_block) {
                expected.emplace_back(line);
                in_block = line != "END CSUB";
                continue;
            }
            std::size_t cut = line.find(" ' note");
            if (cut == std::string_view::npos) cut = line.find(" : REM note");
            if (line.substr(0, 1) == "'" || line.find_first_not_of(' ') == std::string_view::npos)
                continue;
            expected.emplace_back(line.substr(0, cut == std::string_view::npos
                                                     ? line.size()
                                                     : (line[cut + 1] == ':' ? cut + 2 : cut)));
        }
        std::string joined;
        for (const std::string& line : expected) joined += line + "\n";
        EXPECT_EQ(remove_comments_and_blank_lines(program), joined) << program;
    }
}

} // namespace
