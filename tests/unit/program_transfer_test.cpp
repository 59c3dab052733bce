// Sending a program to the simulated board by AUTOSAVE and XMODEM, on a simulated clock: what
// the board stores, what it says, and what the sender reports.
#include "device/program_sender.h"
#include "device/program_transfer.h"
#include "support/board_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Firmware = BoardConfig::Firmware;

// A board that takes bytes as a 115,200 baud link brings them and works 0.5 ms on each line.
BoardConfig realistic(Firmware firmware) {
    BoardConfig config;
    config.firmware = firmware;
    config.byte_us = 87;
    config.line_us = 500;
    return config;
}

std::string numbered_program(int lines, std::size_t width = 28) {
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        std::string line = "PRINT \"line " + std::to_string(i) + "\"";
        line.resize(std::max(line.size(), width), ' ');
        text += line + "' x\n";
    }
    return text;
}

struct LinkRun {
    std::int64_t ms = 0;
    std::string console; // everything the board printed
};

// Joins a sender and a board, one millisecond at a time, until the sender is over.
LinkRun run(ProgramSender& sender, BoardModel& board, std::int64_t limit_ms = 600000) {
    LinkRun result;
    result.console = board.start();
    sender.receive(result.console, 0);
    for (std::int64_t now = 0; now < limit_ms && !sender.over(); ++now) {
        std::string out = sender.take_output();
        std::string answer = board.receive(out, now);
        answer += board.tick(now);
        result.console += answer;
        sender.receive(answer, now);
        sender.tick(now);
        result.ms = now;
    }
    std::string out = sender.take_output();
    result.console += board.receive(out, result.ms);
    result.console += board.tick(result.ms + 2000);
    return result;
}

std::unique_ptr<ProgramSender> autosave(const std::string& text, AutosaveOptions options = {}) {
    return ProgramSender::by_autosave(autosave_program(text), options, 0);
}

} // namespace

TEST(ProgramTransfer, AutosavePacedByTheEchoLosesNothingOnEitherFirmwareAtTheLinksSpeed) {
    std::string text = numbered_program(2000);
    for (Firmware firmware : {Firmware::v6_00_03, Firmware::v6_03}) {
        BoardModel board(realistic(firmware));
        board.set_program("PRINT \"old\"\r");
        auto sender = autosave(text);
        LinkRun result = run(*sender, board);
        ASSERT_TRUE(sender->ok()) << sender->failure();
        EXPECT_EQ(board.lost(), 0u);
        EXPECT_EQ(board.program(), autosave_program(text));
        EXPECT_NE(result.console.find("Saved "), std::string::npos);
        // The board's own pace is the limit: the link's time for the bytes plus its work on
        // each line, and nothing stalls beyond that.
        double link_ms = static_cast<double>(text.size()) * 10 / 115.2;
        EXPECT_LT(static_cast<double>(result.ms), 1.3 * link_ms) << static_cast<int>(firmware);
    }
}

TEST(ProgramTransfer, TheOlderFirmwareLosesBytesWhenTheHostDoesNotWaitForTheEcho) {
    BoardModel board(realistic(Firmware::v6_00_03));
    board.start();
    std::string stream = "AUTOSAVE\r" + autosave_program(numbered_program(100)) + "\x1a";
    board.receive(stream, 0);
    board.tick(60000);
    EXPECT_GT(board.lost(), 1000u);
}

TEST(ProgramTransfer, WhatTheBoardRefusesStopsTheSendWithItsWordsAndKeepsTheOldProgram) {
    struct Case {
        std::string text;
        const char* message;
        long line;
    };
    const Case cases[] = {
        {"PRINT 1\nPRINT \"" + std::string(300, 'x') + "\"\nPRINT 3\n", "Not enough memory", 2},
    };
    for (const Case& c : cases) {
        BoardModel board(realistic(Firmware::v6_03));
        board.set_program("PRINT \"old\"\r");
        auto sender = autosave(c.text);
        run(*sender, board);
        EXPECT_FALSE(sender->ok());
        EXPECT_NE(sender->failure().find(c.message), std::string::npos) << sender->failure();
        EXPECT_EQ(sender->failed_line(), c.line);
        EXPECT_EQ(board.program(), "PRINT \"old\"\r");
        // Ctrl-C went out at once: the rest of the program never ran as commands.
        EXPECT_TRUE(board.at_prompt());
    }
}

TEST(ProgramTransfer, ErrorsInTheProgramsOwnTextAndSlowEchoAreNoRefusal) {
    std::string text = "ERROR \"Error : not really\"\n\tPRINT \"Error in line 3: no\"\n";
    BoardModel board(realistic(Firmware::v6_00_03));
    auto sender = autosave(text);
    run(*sender, board);
    ASSERT_TRUE(sender->ok()) << sender->failure();
    EXPECT_EQ(board.program(), "ERROR \"Error : not really\"\r PRINT \"Error in line 3: no\"\r");
}

TEST(ProgramTransfer, ABoardThatStopsEchoingOrNeverAnswersIsNoSuccess) {
    BoardConfig silent;
    silent.silent = true;
    BoardModel quiet(silent);
    auto sender = autosave("PRINT 1\n");
    run(*sender, quiet);
    EXPECT_FALSE(sender->ok());
    EXPECT_NE(sender->failure().find("did not echo"), std::string::npos) << sender->failure();
}

TEST(ProgramTransfer, AutosaveCheckNamesLongLinesAndDroppedCharacters) {
    AutosaveCheck check =
        check_for_autosave("ok\r\n" + std::string(254, 'a') + "\n" + std::string(255, 'b') +
                           "\ncaf\xc3\xa9 \xe2\x86\x92\x1a\n");
    EXPECT_EQ(check.long_lines, 1u);
    EXPECT_EQ(check.first_long_line, 3);
    EXPECT_EQ(check.longest, 255u);
    EXPECT_EQ(check.dropped, 3u); // é, → and Ctrl-Z
    EXPECT_EQ(check.first_dropped_line, 4);
    EXPECT_TRUE(check_for_autosave(std::string(100, 'x'), 50).too_large);
    EXPECT_EQ(autosave_program("a\tb\r\ncaf\xc3\xa9\x1a\rc"), "a\tb\rcaf\rc\r");
}

TEST(ProgramTransfer, XmodemStartsOnTheBoardsNakAndIsConfirmedBySaved) {
    std::string program;
    for (int i = 0; i < 40; ++i) program += "PRINT \"line " + std::to_string(i) + "\"\r\n";
    for (Firmware firmware : {Firmware::v6_00_03, Firmware::v6_03}) {
        BoardConfig config;
        config.firmware = firmware;
        BoardModel board(config);
        auto sender = ProgramSender::by_xmodem(program, xmodem::board_timing(), 5000, 0);
        LinkRun result = run(*sender, board);
        ASSERT_TRUE(sender->ok()) << sender->failure();
        EXPECT_EQ(board.program(), program);
        EXPECT_NE(result.console.find("Saved "), std::string::npos);
    }
}

TEST(ProgramTransfer, XmodemRefusedInWordsEndsAtOnceAndTypesNothingMore) {
    BoardModel board;
    auto sender = ProgramSender::by_xmodem("PRINT 1\r\n", xmodem::board_timing(), 5000, 0);
    EXPECT_EQ(sender->take_output(), "\x03");
    sender->receive("\r\n> ", 0);
    sender->tick(1);
    std::string typed = sender->take_output();
    EXPECT_NE(typed.find("XMODEM RECEIVE\r"), std::string::npos);
    std::string shown = sender->receive("XMODEM RECEIVE\r\nError: Argument count\r\n> ", 401);
    EXPECT_TRUE(sender->over());
    EXPECT_FALSE(sender->ok());
    EXPECT_NE(sender->failure().find("Argument count"), std::string::npos);
    EXPECT_NE(shown.find("Error: Argument count"), std::string::npos);
    sender->tick(60000);
    EXPECT_EQ(sender->take_output(), "");
}

TEST(ProgramTransfer, TheBoardKeepsPrintableTextRunsItAndReportsErrorsAsTheFirmwareDoes) {
    BoardModel board;
    board.start();
    const std::string stream = "AUTOSAVE\rPRINT \"hello\"\rPRINT \"caf\xe9\"\rERROR \"bad\"\r\x1a";
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
    board.receive("AUTOSAVE\rDO\rLOOP\r\x1a", 0);
    board.receive("RUN\r", 0);
    EXPECT_TRUE(board.running());
    EXPECT_EQ(board.receive("\x03", 0), "> \x1b[?7h");
    EXPECT_FALSE(board.running());
}

// The board's own sender: the older firmware starts only on NAK, so a receiver asking for
// CRC-16 never gets the program, one asking for checksums does.
TEST(ProgramTransfer, TheBoardsXmodemSenderOfTheOlderFirmwareAnswersOnlyTheChecksumRequest) {
    for (xmodem::Check check : {xmodem::Check::checksum, xmodem::Check::crc}) {
        BoardConfig config;
        config.firmware = Firmware::v6_00_03;
        BoardModel board(config);
        board.start();
        board.set_program("PRINT 1\rPRINT 2\r");
        board.receive("XMODEM SEND\r", 0);
        xmodem::Timing timing;
        timing.max_retries = 3;
        xmodem::Receiver receiver(timing, 0, check);
        for (std::int64_t now = 0; now < 60000 && receiver.state() != xmodem::State::done &&
                                   receiver.state() != xmodem::State::failed;
             now += 100) {
            xmodem::Bytes out = receiver.take_output();
            std::string answer = board.receive(std::string(out.begin(), out.end()), now);
            answer += board.tick(now);
            receiver.receive(xmodem::Bytes(answer.begin(), answer.end()), now);
            receiver.tick(now);
        }
        if (check == xmodem::Check::checksum) {
            ASSERT_EQ(receiver.state(), xmodem::State::done) << receiver.failure();
            std::string data(receiver.data().begin(), receiver.data().end());
            EXPECT_EQ(data.substr(0, 18), "PRINT 1\r\nPRINT 2\r\n");
        } else {
            EXPECT_EQ(receiver.state(), xmodem::State::failed);
        }
    }
}
