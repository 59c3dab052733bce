// Error reports found in console output, however it is cut into chunks.
#include "device/error_capture.h"

#include <gtest/gtest.h>

namespace {

std::vector<CapturedError> feed_in_pieces(const std::string& output, std::size_t piece) {
    ErrorCapture capture;
    std::vector<CapturedError> all;
    for (std::size_t i = 0; i < output.size(); i += piece) {
        auto found = capture.feed(std::string_view(output).substr(i, piece));
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

} // namespace

TEST(ErrorCapture, FindsBothFormsWhereverTheOutputIsSplit) {
    std::string output = "> RUN\r\nhello\r\nError in line 123: Divide by zero\r\n> RUN\r\n"
                         "[45] A = B(\r\nError : Expected closing bracket\r\n> ";
    for (std::size_t piece : {1u, 2u, 3u, 7u, 1000u}) {
        auto errors = feed_in_pieces(output, piece);
        ASSERT_EQ(errors.size(), 3u) << piece;
        EXPECT_EQ(errors[0].line, 123);
        EXPECT_EQ(errors[0].message, "Divide by zero");
        EXPECT_FALSE(errors[0].completes_previous);
        EXPECT_EQ(errors[1].line, 45);
        EXPECT_EQ(errors[1].message, "A = B(");
        EXPECT_TRUE(errors[2].completes_previous);
        EXPECT_EQ(errors[2].message, "Expected closing bracket");
    }
}

TEST(ErrorCapture, ColoursLineEndsAndPromptsDoNotHideAnError) {
    auto errors = feed_in_pieces("\x1b[31mError in line 7: \x1b[1mNot\x1b[0m found\n", 4);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 7);
    EXPECT_EQ(errors[0].message, "Not found");
    errors = feed_in_pieces("> error in line 9:x\r\n", 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 9);
}

TEST(ErrorCapture, LookalikesAndIncompleteLinesAreNotErrors) {
    for (const char* text : {"Error in line : x\n", "Error in line 0: x\n", "[abc] x\n", "[12 x\n",
                             "Errors in line 5: x\n", "Error in : x\n",
                             "Error in line 1234567890123: too big\n"})
        EXPECT_TRUE(feed_in_pieces(text, 3).empty()) << text;
    ErrorCapture capture;
    EXPECT_TRUE(capture.feed("Error in line 5: not yet ended").empty());
    EXPECT_EQ(capture.feed("\r\n").size(), 1u);
}

TEST(ErrorCapture, VeryLongLinesAreCutNotStored) {
    std::string output =
        "Error in line 3: " + std::string(100000, 'x') + "\r\nError in line 4: y\r\n";
    auto errors = feed_in_pieces(output, 4096);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].line, 3);
    EXPECT_LE(errors[0].message.size(), ConsoleText::max_line);
    EXPECT_EQ(errors[1].line, 4);
}

// Every form the boards and MMBasic for Linux print, each split at every byte.
TEST(ErrorCapture, EveryFormOfTheBoardsWhereverItStartsInALine) {
    struct Case {
        const char* output;
        long line;
        const char* file;
        bool library;
        const char* message; // of the report, or of its completion on the next line
    };
    const Case cases[] = {
        {"[8] Print 10/a\r\nError : Divide by zero\r\n> ", 8, "", false, "Divide by zero"},
        {"[12] Sub a\r\nError: Duplicate name\r\n", 12, "", false, "Duplicate name"},
        {"[LIBRARY] x=1/0\r\nError : Divide by zero\r\n", 0, "", true, "Divide by zero"},
        {"e36Error in line 37: Divide by zero\r\n", 37, "", false, "Divide by zero"},
        {"There was an Error in line 5: quoted\r\n", 5, "", false, "quoted"},
        {"Error in /home/a b/inc1.inc line 3: Syntax\r\n", 3, "/home/a b/inc1.inc", false,
         "Syntax"},
        {"\x1b]0;MMBasic - p.bas\x07> x\r\nError: Unknown command\r\n", 0, "", false,
         "Unknown command"},
        {"> LIST\r\nError : Not enough memory\r\n", 0, "", false, "Not enough memory"},
    };
    for (const Case& c : cases) {
        auto errors = feed_in_pieces(c.output, 1);
        ASSERT_FALSE(errors.empty()) << c.output;
        EXPECT_EQ(errors[0].line, c.line) << c.output;
        EXPECT_EQ(errors[0].file, c.file) << c.output;
        EXPECT_EQ(errors[0].library, c.library) << c.output;
        EXPECT_EQ(errors.back().message, c.message) << c.output;
        EXPECT_EQ(errors.size(), c.output[0] == '[' ? 2u : 1u) << c.output;
    }
}
