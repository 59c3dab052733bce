// Sending by AUTOSAVE: the bytes, the pauses, and what the board cannot take.
#include "device/autosave.h"
#include "support/board_model.h"

#include <gtest/gtest.h>

TEST(Autosave, EveryLineEndBecomesOneCrAndTheStreamIsFramed) {
    EXPECT_EQ(program_for_board("a\r\nb\nc\rd"), "a\rb\rc\rd\r");
    EXPECT_EQ(program_for_board("a\r\n\r\n"), "a\r\r");
    EXPECT_EQ(program_for_board(""), "");
    EXPECT_EQ(program_for_board("caf\xc3\xa9\n"), "caf\xe9\r");
    EXPECT_EQ(autosave_stream("x\n"), "AUTOSAVE\rx\r\x1a");
}

TEST(Autosave, FindsWideCharactersAndZeroBytesWithTheirFirstLine) {
    EXPECT_FALSE(find_unsendable("PRINT \"caf\xc3\xa9\"\r\n").any());
    UnsendableReport wide = find_unsendable("a\r\nb\r\nPRINT \"\xe2\x82\xac\xe2\x82\xac\"\n");
    EXPECT_EQ(wide.wide_characters, 2u);
    EXPECT_EQ(wide.first_line, 3);
    UnsendableReport zero = find_unsendable(std::string("a\rb\0c", 5));
    EXPECT_EQ(zero.zero_bytes, 1u);
    EXPECT_EQ(zero.first_line, 2);
    EXPECT_EQ(find_unsendable("\x80x\xff").wide_characters, 2u); // malformed arrives as "?"
    UnsendableReport stopping = find_unsendable("a\n\nb\x1a\x03");
    EXPECT_EQ(stopping.stopping_characters, 2u);
    EXPECT_EQ(stopping.first_line, 3);
}

TEST(Autosave, PacingPausesAfterCharactersAndLines) {
    std::string stream = "AB\rC\r";
    Pacing lines_only{0, 100};
    PaceStep step = next_pace_step(stream, 0, lines_only);
    EXPECT_EQ(step.count, 3u);
    EXPECT_EQ(step.delay_ms, 100);
    step = next_pace_step(stream, 3, lines_only);
    EXPECT_EQ(step.count, 2u);
    EXPECT_EQ(next_pace_step(stream, 5, lines_only).count, 0u);

    Pacing both{2, 50};
    EXPECT_EQ(next_pace_step(stream, 0, both).count, 1u);
    EXPECT_EQ(next_pace_step(stream, 0, both).delay_ms, 2);
    EXPECT_EQ(next_pace_step(stream, 2, both).delay_ms, 50);
    EXPECT_EQ(paced_duration_ms(stream, both), 2 * 3 + 2 * 50);

    std::string big(2000, 'x');
    step = next_pace_step(big, 0, Pacing{}, 512);
    EXPECT_EQ(step.count, 512u);
    EXPECT_EQ(step.delay_ms, 0);
}

TEST(Autosave, BoardKeepsPrintableTextRunsItAndReportsErrorsAsTheFirmwareDoes) {
    BoardModel board;
    board.start();
    std::string document = "PRINT \"hello\"\r\nPRINT \"caf\xc3\xa9\"\r\nERROR \"bad\"\r\n";
    std::string stream = autosave_stream(document);
    std::string output;
    for (std::size_t i = 0; i < stream.size(); i += 3)
        output += board.receive(stream.substr(i, 3), 0);
    // Bytes 0x80 to 0xFF never reach program memory.
    EXPECT_EQ(board.program(), "PRINT \"hello\"\rPRINT \"caf\"\rERROR \"bad\"\r");
    EXPECT_NE(output.find("\r\nSaved "), std::string::npos);
    EXPECT_TRUE(output.ends_with("> \x1b[?7h"));
    std::string run = board.receive("RUN\r", 0);
    EXPECT_EQ(run, "RUN\r\nhello\r\ncaf\r\n[3] ERROR \"bad\"\r\nError : bad\r\n> \x1b[?7h");
    board.receive("NEW\r", 0);
    board.receive(autosave_stream("DO\nLOOP\n"), 0);
    board.receive("RUN\r", 0);
    EXPECT_TRUE(board.running());
    EXPECT_EQ(board.receive("\x03", 0), "> \x1b[?7h");
    EXPECT_FALSE(board.running());
}
