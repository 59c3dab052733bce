// The program's line styler: fold depth from SUB and FUNCTION, names learnt, robustness.
#include "colour_test_record.h"
#include "editor/line_styler.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Colours the lines as a recolouring from the first line does; returns each line's level,
// with 'h' after a fold header.
std::vector<std::string> fold_levels(EditorRecord& r, const std::vector<std::string>& lines) {
    std::vector<std::string> levels;
    r.fold_level = fold_level_base;
    for (const std::string& line : lines) {
        std::string styles;
        r.fold_delta = 0;
        style_program_line(r, line, styles);
        EXPECT_EQ(styles.size(), line.size());
        levels.push_back(std::to_string(r.fold_level) + (r.fold_delta >= 1 ? "h" : ""));
        r.fold_level = std::max(r.fold_level + r.fold_delta, fold_level_base);
    }
    return levels;
}

using Levels = std::vector<std::string>;

TEST(LineStyler, SubAndFunctionBlocksFold) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(fold_levels(r, {"Sub Main\r\n", "  PRINT 1\r\n", "End Sub\r\n", "x = 1\r\n"}),
              (Levels{"1024h", "1025", "1025", "1024"}));
    EXPECT_EQ(fold_levels(r, {"FUNCTION f(a)\n", "f = a\n", "END FUNCTION\n", ""}),
              (Levels{"1024h", "1025", "1025", "1024"}));
}

TEST(LineStyler, NestedBlocksAndEndAtTheBase) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(fold_levels(r, {"SUB a\n", "SUB b\n", "END SUB\n", "END SUB\n", "END SUB\n", "x\n"}),
              (Levels{"1024h", "1025h", "1026", "1025", "1024", "1024"}));
    // A header and its end on one line open nothing.
    EXPECT_EQ(fold_levels(r, {"SUB a : END SUB\n", "x\n"}), (Levels{"1024", "1024"}));
}

TEST(LineStyler, ExitSubLeavesTheBlockOpen) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(
        fold_levels(r, {"SUB a\n", "IF x THEN EXIT SUB\n", "exit function\n", "END SUB\n", "y\n"}),
        (Levels{"1024h", "1025", "1025", "1025", "1024"}));
}

TEST(LineStyler, SubInACommentOrStringIsNotCounted) {
    EditorRecord r = colour_test_record();
    EXPECT_EQ(fold_levels(r, {"' SUB x\n", "PRINT \"sub\"\n", "GOSUB x\n", "PRINT 1 'END SUB\n"}),
              (Levels{"1024", "1024", "1024", "1024"}));
}

TEST(LineStyler, LabelsAreLearntOnEveryLine) {
    EditorRecord r = colour_test_record();
    std::vector<std::string> learnt;
    r.on_name_learnt = [&](std::string_view name) { learnt.emplace_back(name); };
    std::string styles;
    style_program_line(r, "Start: PRINT 1\r\n", styles);
    EXPECT_EQ(marked("Start: PRINT 1\r\n", styles), "{7}Start:{32} {1}PRINT{32} {4}1{32}\r\n");
    ASSERT_NE(find_word(r.words, "start"), nullptr);
    EXPECT_EQ(find_word(r.words, "Start")->style, style::name);
    EXPECT_EQ(find_word(r.words, "start:")->style, style::name);
    EXPECT_EQ(learnt, (std::vector<std::string>{"Start"}));
    // Latin-1 names are handed over as 8-bit text.
    style_program_line(r, "\xC3\xA9t\xC3\xA9:\n", styles);
    EXPECT_EQ(learnt.back(), "\xE9t\xE9");
}

TEST(LineStyler, HeadersAreLearntOnlyAfterReturn) {
    EditorRecord r = colour_test_record();
    std::vector<std::string> learnt;
    r.on_name_learnt = [&](std::string_view name) { learnt.emplace_back(name); };
    std::string styles;
    style_program_line(r, "SUB Draw(x)\r\n", styles);
    EXPECT_TRUE(learnt.empty());
    r.rescan = true;
    style_program_line(r, "PRINT 1\r\n", styles); // examined, nothing found, flag cleared
    EXPECT_FALSE(r.rescan);
    style_program_line(r, "SUB Draw(x)\r\n", styles);
    EXPECT_TRUE(learnt.empty());
    r.rescan = true;
    style_program_line(r, "SUB Draw( x)\r\n", styles);
    EXPECT_EQ(learnt, (std::vector<std::string>{"Draw"}));
    EXPECT_EQ(find_word(r.words, "draw")->style, style::name);

    // Lines above the one Return was pressed in leave the flag for that line.
    r.rescan = true;
    r.rescan_line = 4;
    r.styling_line = 3;
    style_program_line(r, "SUB Above\r\n", styles);
    EXPECT_TRUE(r.rescan);
    r.styling_line = 4;
    style_program_line(r, "FUNCTION Here\r\n", styles);
    EXPECT_FALSE(r.rescan);
    EXPECT_EQ(learnt, (std::vector<std::string>{"Draw", "Here"}));
}

TEST(LineStyler, HugeAndHostileLinesAreStyledByteForByte) {
    EditorRecord r = colour_test_record();
    const std::string lines[] = {
        std::string(1 << 20, 'x') + "\r\n",
        std::string(1 << 20, '"'),
        std::string(1 << 20, '\''),
        std::string(100000, '\0') + "PRINT",
        "PRINT \"unterminated",
        std::string("a\rb\rc"),
        std::string(1000, '\xFF') + std::string(1000, '\x80'),
        "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 \xC3 \xE2\x82 x",
        std::string(50000, '.') + "5",
        std::string(50000, ' ') + "Sub x:",
    };
    for (const std::string& line : lines) {
        std::string styles;
        r.fold_delta = 0;
        EXPECT_EQ(style_program_line(r, line, styles), 0);
        EXPECT_EQ(styles.size(), line.size());
    }
    std::string styles;
    style_program_line(r, lines[1], styles);
    EXPECT_EQ(styles, std::string(lines[1].size(), static_cast<char>(style::string)));
}

} // namespace
