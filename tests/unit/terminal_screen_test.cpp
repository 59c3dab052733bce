// The console screen: what the board's output leaves on the screen and in the scrollback.
#include "device/terminal_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TerminalScreen, TextLineEndsWrapAndControls) {
    TerminalScreen screen(10, 4);
    screen.feed("> RUN\r\nHello\r\n");
    EXPECT_EQ(screen.line_text(0), "> RUN");
    EXPECT_EQ(screen.line_text(1), "Hello");
    EXPECT_EQ(screen.cursor_row(), 2);
    EXPECT_EQ(screen.cursor_column(), 0);
    screen.feed("0123456789AB");
    EXPECT_EQ(screen.line_text(2), "0123456789");
    EXPECT_EQ(screen.line_text(3), "AB");
    screen.feed("\bX\tT\x07");
    EXPECT_EQ(screen.line_text(3), "AX      T");
    screen.feed("\rZ");
    EXPECT_EQ(screen.line_text(3), "ZX      T");
}

TEST(TerminalScreen, CursorMovementIsClampedToTheScreen) {
    TerminalScreen screen(20, 5);
    screen.feed("\x1b[3;5Hx");
    EXPECT_EQ(screen.line_text(2), "    x");
    screen.feed("\x1b[2Ay\x1b[9Bz");
    EXPECT_EQ(screen.line_text(0), "     y");
    EXPECT_EQ(screen.line_text(4), "      z");
    screen.feed("\x1b[99;99H");
    EXPECT_EQ(screen.cursor_row(), 4);
    EXPECT_EQ(screen.cursor_column(), 19);
    screen.feed("\x1b[H\x1b[3C>\x1b[10D<");
    EXPECT_EQ(screen.line_text(0), "<  > y");
    screen.feed("\x1b[0;0Hq"); // zero parameters mean one
    EXPECT_EQ(screen.line_text(0), "q  > y");
}

TEST(TerminalScreen, ClearScreenAndLine) {
    TerminalScreen screen(10, 3);
    screen.feed("aaaa\r\nbbbb\r\ncccc");
    screen.feed("\x1b[2;3H\x1b[K");
    EXPECT_EQ(screen.line_text(1), "bb");
    screen.feed("\x1b[1K");
    EXPECT_EQ(screen.line_text(1), "");
    screen.feed("\x1b[J");
    EXPECT_EQ(screen.line_text(2), "");
    EXPECT_EQ(screen.line_text(0), "aaaa");
    screen.feed("\x1b[2J");
    EXPECT_EQ(screen.line_text(0), "");
    screen.feed("one\x1b[2K");
    EXPECT_EQ(screen.line_text(1), "");
}

TEST(TerminalScreen, ColoursAndReset) {
    TerminalScreen screen(10, 2);
    screen.feed("\x1b[1;31;44mR\x1b[92mG\x1b[0mN\x1b[7mV\x1b[mD");
    const ScreenLine& line = screen.line(screen.first_screen_line());
    EXPECT_EQ(line[0].style, (CellStyle{1, 4, true, false}));
    EXPECT_EQ(line[1].style.fg, 10);
    EXPECT_EQ(line[2].style, CellStyle{});
    EXPECT_TRUE(line[3].style.reverse);
    EXPECT_EQ(line[4].style, CellStyle{});
}

TEST(TerminalScreen, UnknownAndBrokenSequencesAreDroppedSafely) {
    TerminalScreen screen(20, 3);
    screen.feed("a\x1b[?25lb\x1b]0;title\x07"
                "c\x1b(Bd\x1b[12;34;56;78;90;1;2;3;4;5;6;7;8;9;1;2;3;4zq");
    EXPECT_EQ(screen.line_text(0), "abcdq");
    screen.feed("\x1b[99999999999999999999C!"); // huge number
    EXPECT_EQ(screen.cursor_column(), 19);
    // A sequence split across feeds works as one.
    TerminalScreen split(20, 3);
    split.feed("x\x1b");
    split.feed("[");
    split.feed("3");
    split.feed("1mY");
    EXPECT_EQ(split.line(0)[1].style.fg, 1);
    // Every byte value in every state leaves the screen consistent.
    std::string all;
    for (int round = 0; round < 4; ++round)
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>((b * 37 + round) & 0xFF));
    screen.feed(all);
    EXPECT_EQ(screen.line_count(), screen.first_screen_line() + 3);
    EXPECT_LT(screen.cursor_row(), 3);
    EXPECT_LT(screen.cursor_column(), 20);
}

TEST(TerminalScreen, ScrollbackIsBoundedAndKeepsTheNewestLines) {
    TerminalScreen screen(80, 24, 100);
    for (int i = 0; i < 1000; ++i) screen.feed("line " + std::to_string(i) + "\r\n");
    EXPECT_EQ(screen.line_count(), 124u);
    EXPECT_EQ(screen.line_text(0), "line 877");
    EXPECT_EQ(screen.line_text(screen.line_count() - 2), "line 999");
    screen.feed("\x1b[3J");
    EXPECT_EQ(screen.line_count(), 24u);
    screen.clear();
    EXPECT_EQ(screen.line_count(), 24u);
    EXPECT_EQ(screen.line_text(0), "");
}

TEST(TerminalScreen, EightBitCharactersCopyAsUtf8AndResizeKeepsTheCursorLine) {
    TerminalScreen screen(10, 4);
    screen.feed("caf\xe9\r\nx\r\ny\r\nlast");
    EXPECT_EQ(screen.line_text(0), "caf\xc3\xa9");
    EXPECT_EQ(screen.text(0, 1), "caf\xc3\xa9\nx");
    screen.resize(5, 2);
    EXPECT_EQ(screen.line_text(screen.first_screen_line() + screen.cursor_row()), "last");
    EXPECT_EQ(screen.line_count(), 4u);
    screen.resize(5, 4);
    EXPECT_EQ(screen.first_screen_line(), 0u);
    EXPECT_EQ(screen.cursor_row(), 3);
}

TEST(TerminalScreen, StatusQueriesAreAnsweredForTheLink) {
    TerminalScreen screen(20, 5);
    const struct {
        const char* bytes;
        const char* answer;
    } cases[] = {{"abc\x1b[6n", "\x1b[1;4R"},
                 {"\x1b[3;7H\x1b[6n", "\x1b[3;7R"},
                 {"\x1b[1;20Hx\x1b[6n", "\x1b[1;20R"}, // the wrap is still pending
                 {"\x1b[5n", "\x1b[0n"},
                 {"\x1b[?6n\x1b[c", ""}};
    for (const auto& c : cases) {
        screen.feed(c.bytes);
        EXPECT_EQ(screen.take_answers(), c.answer) << c.bytes;
        EXPECT_EQ(screen.take_answers(), "");
    }
    // Queries nobody takes are kept only up to a bound.
    for (int i = 0; i < 10000; ++i) screen.feed("\x1b[6n");
    EXPECT_LE(screen.take_answers().size(), 4096u);
}

TEST(TerminalScreen, ASizeAskedForWinsOverThePanelsUntilCleared) {
    TerminalScreen screen(40, 10);
    screen.fit(60, 12);
    EXPECT_EQ(screen.columns(), 60);
    EXPECT_EQ(screen.rows(), 12);
    screen.feed("\x1b[8;24;80t");
    EXPECT_EQ(screen.columns(), 80);
    EXPECT_EQ(screen.rows(), 24);
    EXPECT_TRUE(screen.size_requested());
    screen.fit(60, 12);
    EXPECT_EQ(screen.columns(), 80);
    screen.feed("\x1b[8;0;0t\x1b[7;3;3t\x1b[8;99999;99999t");
    EXPECT_EQ(screen.columns(), 512); // garbage asks for no more than a bound
    EXPECT_EQ(screen.rows(), 256);
    screen.clear();
    screen.fit(60, 12);
    EXPECT_EQ(screen.columns(), 60);
    EXPECT_EQ(screen.rows(), 12);
}

TEST(TerminalScreen, AutowrapOffWritesOverTheLastColumn) {
    TerminalScreen screen(5, 3);
    screen.feed("\x1b[?7l"
                "abcdefg");
    EXPECT_EQ(screen.line_text(0), "abcdg");
    EXPECT_EQ(screen.cursor_row(), 0);
    EXPECT_FALSE(screen.autowrap());
    screen.feed("\x1b[?7h\rABCDEFG");
    EXPECT_EQ(screen.line_text(0), "ABCDE");
    EXPECT_EQ(screen.line_text(1), "FG");
    screen.feed("\x1b[?25l");
    EXPECT_FALSE(screen.cursor_visible());
    screen.feed("\x1b"
                "c");
    EXPECT_TRUE(screen.cursor_visible());
    EXPECT_TRUE(screen.autowrap());
}

TEST(TerminalScreen, LinesAndCharactersAreInsertedDeletedAndScrolledInTheRegion) {
    const std::string four = "1\r\n2\r\n3\r\n4";
    const struct {
        std::string bytes;
        std::vector<std::string> rows;
    } cases[] = {
        {four + "\x1b[2;1H\x1b[L", {"1", "", "2", "3"}},          // insert a line
        {four + "\x1b[2;1H\x1b[2M", {"1", "4", "", ""}},          // delete two
        {four + "\x1b[2;3r\x1b[3;1H\n", {"1", "3", "", "4"}},     // the region scrolls
        {four + "\x1b[2;3r\x1b[2;1H\x1bM", {"1", "", "2", "4"}},  // back at its top
        {four + "\x1b[2;3r\x1b[2;1H\x1b[9L", {"1", "", "", "4"}}, // within it only
        {four + "\x1b[S", {"2", "3", "4", ""}},                   // scroll up
        {four + "\x1b[2T", {"", "", "1", "2"}},                   // scroll down
        {"abcdef\x1b[1;2H\x1b[2@", {"a  bcd", "", "", ""}},       // insert characters
        {"abcdef\x1b[1;2H\x1b[2P", {"adef", "", "", ""}},         // delete characters
        {"abcdef\x1b[1;2H\x1b[2X", {"a  def", "", "", ""}},       // erase characters
        {four + "\x1b[3;2r" + "x", {"x", "2", "3", "4"}},         // a bad region: home
    };
    for (const auto& c : cases) {
        TerminalScreen screen(6, 4);
        screen.feed(c.bytes);
        std::vector<std::string> rows;
        for (int r = 0; r < 4; ++r)
            rows.push_back(screen.line_text(screen.first_screen_line() + r));
        EXPECT_EQ(rows, c.rows) << c.bytes;
        EXPECT_EQ(screen.line_count(), 4u) << c.bytes; // nothing went to the scrollback
    }
}
