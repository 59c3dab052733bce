// Removing and adding line numbers: labels for the numbers jumped to, renumbering with the jumps
// following, the limit, bad numbers, and the round trip that keeps every jump on its statement.
#include "tools/line_numbers.h"
#include "tools/line_scan.h"
#include "tools/transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Kind = LineNumberNote::Kind;

const char* const numbered_listing = "10 REM Guess the number\n"
                                     "20 N = INT(RND * 100) + 1\n"
                                     "30 INPUT \"Guess (0 quits)\"; G\n"
                                     "40 IF G = 0 THEN 90\n"
                                     "50 ON SGN(G - N) + 2 GOSUB 200, 300, 400\n"
                                     "60 IF G <> N THEN GOTO 30 ELSE 80\n"
                                     "80 PRINT \"It's right: GOTO 10\" ' not 40\n"
                                     "90 END\n"
                                     "200 PRINT \"Higher\": RETURN\n"
                                     "300 PRINT \"Got it\": RETURN\n"
                                     "400 PRINT \"Lower\": RESTORE 500: RETURN\n"
                                     "500 DATA 1, 2, 3\n";

std::size_t count_kind(const std::vector<LineNumberNote>& notes, Kind kind) {
    std::size_t n = 0;
    for (const LineNumberNote& note : notes) n += note.kind == kind;
    return n;
}

TEST(RemoveLineNumbers, NumberedListingGetsLabelsWhereItJumps) {
    LineNumberResult result = remove_line_numbers(numbered_listing);
    EXPECT_EQ(result.text, "REM Guess the number\n"
                           "N = INT(RND * 100) + 1\n"
                           "L30: INPUT \"Guess (0 quits)\"; G\n"
                           "IF G = 0 THEN GOTO L90\n"
                           "ON SGN(G - N) + 2 GOSUB L200, L300, L400\n"
                           "IF G <> N THEN GOTO L30 ELSE GOTO L80\n"
                           "L80: PRINT \"It's right: GOTO 10\" ' not 40\n"
                           "L90: END\n"
                           "L200: PRINT \"Higher\": RETURN\n"
                           "L300: PRINT \"Got it\": RETURN\n"
                           "L400: PRINT \"Lower\": RESTORE L500: RETURN\n"
                           "L500: DATA 1, 2, 3\n");
    EXPECT_TRUE(result.notes.empty());
}

TEST(RemoveLineNumbers, LabelsGoBeforeOtherLabelsAndAvoidTakenNames) {
    // "CLS:" could be a label or a command; the new label stands on its own line before it.
    EXPECT_EQ(remove_line_numbers("10 start: PRINT 1\n20 CLS: GOTO 10: GOTO 20\n").text,
              "L10:\nstart: PRINT 1\nL20:\nCLS: GOTO L10: GOTO L20\n");
    // L10 is a variable already; the label must not become it.
    EXPECT_EQ(remove_line_numbers("5 l10 = 1\n10 PRINT l10\n20 GOTO 10\n").text,
              "l10 = 1\nL10_: PRINT l10\nGOTO L10_\n");
    // A line that is only its number keeps the label alone.
    EXPECT_EQ(remove_line_numbers("10\n20 GOSUB 10\n30\n").text, "L10:\nGOSUB L10\n\n");
}

TEST(RemoveLineNumbers, StringsCommentsDataAndContinuationsAreNotTouched) {
    const std::string program = "10 PRINT \"GOTO 20\": ' GOTO 20\n"
                                "20 A$ = \"x'y\": REM GOSUB 10\n"
                                "30 REMAINDER = 1: GOTO 20\n"
                                "40 x = 1 + _\n"
                                "50\n"
                                "CSUB blink\n"
                                "  00000010 20 30\n"
                                "END CSUB\n";
    EXPECT_EQ(remove_line_numbers(program).text, "PRINT \"GOTO 20\": ' GOTO 20\n"
                                                 "L20: A$ = \"x'y\": REM GOSUB 10\n"
                                                 "REMAINDER = 1: GOTO L20\n"
                                                 "x = 1 + _\n"
                                                 "50\n"
                                                 "CSUB blink\n"
                                                 "  00000010 20 30\n"
                                                 "END CSUB\n");
}

TEST(RemoveLineNumbers, BadNumbersAreNotedAndNothingIsLost) {
    const std::string huge = "123456789012345678901234567890";
    LineNumberResult result = remove_line_numbers("20 A\n10 B\n10 C\n-5 D\n" + huge +
                                                  " E\n30 GOTO 10: GOTO 77: GOTO 0" + huge + "\n");
    EXPECT_EQ(result.text,
              "A\nL10: B\nC\n-5 D\nL" + huge + ": E\nGOTO L10: GOTO 77: GOTO L" + huge + "\n");
    EXPECT_EQ(count_kind(result.notes, Kind::duplicate), 1u);
    EXPECT_EQ(count_kind(result.notes, Kind::out_of_order),
              2u); // 10 after 20, 30 after the huge one
    ASSERT_EQ(count_kind(result.notes, Kind::missing_target), 1u);
    EXPECT_EQ(result.notes.back().number, "77");
    EXPECT_EQ(result.notes.back().line, 5u);
}

TEST(AddLineNumbers, NumbersCodeLinesAndRenumbersJumps) {
    AddNumbersResult added = add_line_numbers("5 GOSUB 7\n\n7 RETURN\n' note\nSUB x\n  y = 1 + _\n"
                                              "    2\nEND SUB\nDEFINEFONT #8\n  0102\n"
                                              "END DEFINEFONT\nGOTO 99\n",
                                              {100, 5});
    ASSERT_TRUE(added.ok);
    EXPECT_EQ(added.result.text, "100 GOSUB 105\n\n105 RETURN\n110 ' note\n115 SUB x\n"
                                 "120 y = 1 + _\n    2\n125 END SUB\nDEFINEFONT #8\n  0102\n"
                                 "END DEFINEFONT\n130 GOTO 99\n");
    EXPECT_EQ(added.last_number, 130u);
    ASSERT_EQ(count_kind(added.result.notes, Kind::missing_target), 1u);
    EXPECT_EQ(added.result.notes[0].line, 11u);
}

TEST(AddLineNumbers, LabelsStayAndTheEveryJumpFormFollows) {
    AddNumbersResult added = add_line_numbers(
        "1 ON x GOTO 3,4 : ON ERROR GOTO 4\n2 start: IF a THEN 3 ELSE 4\n3 RUN 1: LIST 2\n"
        "4 RESTORE 3: GOTO start\n",
        {});
    ASSERT_TRUE(added.ok);
    EXPECT_EQ(added.result.text,
              "10 ON x GOTO 30,40 : ON ERROR GOTO 40\n20 start: IF a THEN 30 ELSE 40\n"
              "30 RUN 10: LIST 20\n40 RESTORE 30: GOTO start\n");
}

TEST(AddLineNumbers, TheLimitIsCheckedBeforeAnythingIsMade) {
    std::string program;
    for (int i = 0; i < 6500; ++i) program += "PRINT\n";
    EXPECT_TRUE(add_line_numbers(program, {10, 10}).ok); // ends at exactly 65000
    AddNumbersResult refused = add_line_numbers(program + "END\n", {10, 10});
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.result.text.empty());
    EXPECT_EQ(refused.lines_numbered, 6501u);
    EXPECT_FALSE(add_line_numbers("PRINT\nPRINT\n", {65000, 1}).ok);
    EXPECT_TRUE(add_line_numbers("PRINT\n", {65000, 1}).ok);
    EXPECT_TRUE(add_line_numbers("", {1, 65000}).ok);
}

TEST(ParseNumbering, FirstAndStep) {
    EXPECT_EQ(parse_numbering("10,10")->first, 10u);
    EXPECT_EQ(parse_numbering(" 100 , 5 ")->step, 5u);
    for (const char* bad : {"", "10", "10,", ",10", "0,10", "10,0", "-10,10", "10,-1", "1.5,2",
                            "65001,1", "99999999999999999999999,1", "10,10,10", "a,b"})
        EXPECT_FALSE(parse_numbering(bad)) << bad;
}

// The line each jump of `text` lands on, jump by jump in text order: a jump names a number or
// a label ("L30: ..."). Every transformation here keeps the lines where they are.
std::vector<int> jump_landings(const std::string& text) {
    std::vector<std::string_view> lines = split_program_lines(text);
    std::map<std::string, int> line_of; // "#100" or "LABEL"
    for (int n = 0; n < static_cast<int>(lines.size()); ++n) {
        std::string_view line = lines[n];
        std::size_t i = 0;
        if (!line.empty() && line[0] >= '0' && line[0] <= '9') {
            i = line.find(' ');
            line_of.emplace("#" + std::string(line.substr(0, i)), n);
            i = i == std::string_view::npos ? line.size() : i + 1;
        }
        std::size_t colon = line.find(':', i);
        if (colon != std::string_view::npos && colon < line.find(' ', i))
            line_of.emplace(std::string(line.substr(i, colon - i)), n);
    }
    std::vector<int> landings;
    for (std::string_view line : lines) {
        std::size_t at = 0;
        while ((at = line.find("GO", at)) != std::string_view::npos) {
            std::size_t target = line.find(' ', at) + 1;
            while (true) {
                std::size_t end = line.find_first_of(", ", target);
                std::string word(line.substr(target, end - target));
                auto found = line_of.find(word[0] <= '9' ? "#" + word : word);
                landings.push_back(found == line_of.end() ? -1 : found->second);
                if (end == std::string_view::npos || line[end] != ',') break;
                target = end + 1;
            }
            at = target;
        }
    }
    return landings;
}

// Random numbered listings: out of order numbers never, jumps to existing lines only.
std::string random_listing(std::mt19937& random) {
    const char* statements[] = {"PRINT \"a'b\"",        "x = x + 1", "A$ = \"x: y\"",  "REM note",
                                "FOR i = 1 TO 3: NEXT", "' comment", "IF x THEN y = 2"};
    const int count = 5 + static_cast<int>(random() % 40);
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += std::to_string(i * 10) + " ";
        switch (random() % 4) {
        case 0:
            text += "GOSUB " + std::to_string((1 + random() % count) * 10);
            break;
        case 1:
            text += "ON x GOTO " + std::to_string((1 + random() % count) * 10) + "," +
                    std::to_string((1 + random() % count) * 10);
            break;
        default:
            text += statements[random() % std::size(statements)];
        }
        text += "\n";
    }
    return text;
}

TEST(LineNumbersProperty, RoundTripKeepsJumpsAndStatements) {
    std::mt19937 random(12);
    for (int round = 0; round < 200; ++round) {
        const std::string listing = random_listing(random);
        const std::vector<int> landings = jump_landings(listing);
        ASSERT_EQ(std::count(landings.begin(), landings.end(), -1), 0) << listing;
        LineNumberResult removed = remove_line_numbers(listing);
        EXPECT_EQ(jump_landings(removed.text), landings) << listing;
        AddNumbersResult added = add_line_numbers(removed.text, {1000, 3});
        ASSERT_TRUE(added.ok);
        EXPECT_EQ(jump_landings(added.result.text), landings) << listing;
        AddNumbersResult renumbered = add_line_numbers(listing, {5, 5});
        EXPECT_EQ(jump_landings(renumbered.result.text), landings) << listing;
        // Lines without jumps keep their statement bytes, behind a new label or number.
        std::vector<std::string_view> before = split_program_lines(listing);
        std::vector<std::string_view> unnumbered = split_program_lines(removed.text);
        ASSERT_EQ(before.size(), unnumbered.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i].find("GO") != std::string_view::npos) continue;
            std::string_view line = unnumbered[i];
            if (line[0] == 'L' && line.find(": ") != std::string_view::npos)
                line.remove_prefix(line.find(": ") + 2);
            EXPECT_EQ(before[i].substr(before[i].find(' ') + 1), line);
        }
        std::vector<std::string_view> after = split_program_lines(renumbered.result.text);
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i].find("GO") != std::string_view::npos) continue;
            EXPECT_EQ(before[i].substr(before[i].find(' ')), after[i].substr(after[i].find(' ')));
        }
    }
}

TEST(LineNumbersRobustness, OneLongLineAndUnclosedStrings) {
    std::string line = "10 PRINT \"";
    line.append(5 << 20, 'x');
    line += " GOTO 10";
    EXPECT_EQ(remove_line_numbers(line).text, line.substr(3) + "\n");
    std::string jumps = "10 ";
    for (int i = 0; i < 200000; ++i) jumps += "GOTO 10:";
    EXPECT_EQ(add_line_numbers(jumps, {100, 1}).result.text.size(), jumps.size() + 2 + 200000);
}

} // namespace
