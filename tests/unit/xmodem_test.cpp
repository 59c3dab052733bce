// XMODEM-CRC: the CRC, the block frame, and sender and receiver run against each other (and
// against the simulated board) with faults on the line.
#include "device/xmodem.h"
#include "support/board_model.h"

#include <gtest/gtest.h>

#include <string>

using namespace xmodem;

namespace {

Bytes bytes_of(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes pattern(std::size_t size) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return data;
}

// Runs a sender and receiver through a line that can drop or change what the sender writes.
// `line` returns the bytes that reach the receiver.
template <typename Line>
void run_link(Sender& sender, Receiver& receiver, Line line, std::int64_t& now) {
    for (int step = 0; step < 10000; ++step) {
        Bytes to_receiver = line(sender.take_output());
        receiver.receive(to_receiver, now);
        Bytes to_sender = receiver.take_output();
        sender.receive(to_sender, now);
        bool sender_over = sender.state() == State::done || sender.state() == State::failed;
        bool receiver_over = receiver.state() == State::done || receiver.state() == State::failed;
        if (sender_over && receiver_over) return;
        if (to_receiver.empty() && to_sender.empty()) {
            now += 1000;
            sender.tick(now);
            receiver.tick(now);
        }
    }
    FAIL() << "the transfer never ended";
}

} // namespace

TEST(Xmodem, CrcMatchesTheStandardCheckValue) {
    EXPECT_EQ(crc16(bytes_of("123456789")), 0x31C3);
    EXPECT_EQ(crc16({}), 0);
}

TEST(Xmodem, FrameHasHeaderPaddingAndCrc) {
    Bytes frame = make_frame(1, bytes_of("AB"));
    ASSERT_EQ(frame.size(), frame_size);
    EXPECT_EQ(frame[0], soh);
    EXPECT_EQ(frame[1], 1);
    EXPECT_EQ(frame[2], 0xFE);
    EXPECT_EQ(frame[3], 'A');
    EXPECT_EQ(frame[4], 'B');
    EXPECT_EQ(frame[5], pad);
    EXPECT_EQ(frame[130], pad);
    std::uint16_t crc = crc16(std::span(frame).subspan(3, block_size));
    EXPECT_EQ(frame[131], crc >> 8);
    EXPECT_EQ(frame[132], crc & 0xFF);
    // Block 256 wraps to 0.
    EXPECT_EQ(make_frame(0, {})[2], 0xFF);
}

TEST(Xmodem, CleanTransferDeliversEveryByteAcrossBlockNumberWrap) {
    std::int64_t now = 0;
    Bytes data = pattern(300 * block_size + 5); // past block 255
    Sender sender(data, {}, now);
    Receiver receiver({}, now);
    run_link(
        sender, receiver, [](Bytes b) { return b; }, now);
    ASSERT_EQ(sender.state(), State::done) << sender.failure();
    ASSERT_EQ(receiver.state(), State::done);
    EXPECT_EQ(sender.blocks_total(), 301u);
    EXPECT_EQ(sender.retries(), 0);
    Bytes got = receiver.data();
    ASSERT_EQ(got.size(), 301 * block_size);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin()));
    for (std::size_t i = data.size(); i < got.size(); ++i) EXPECT_EQ(got[i], pad);
}

TEST(Xmodem, CorruptedAndLostBlocksAreSentAgain) {
    std::int64_t now = 0;
    Bytes data = pattern(5 * block_size);
    Sender sender(data, {}, now);
    Receiver receiver({}, now);
    int frames = 0;
    run_link(
        sender, receiver,
        [&](Bytes b) {
            if (b.size() == frame_size) {
                ++frames;
                if (frames == 2) b[50] ^= 0x01;  // corrupted: NAK, resend
                if (frames == 4) return Bytes{}; // lost: timeouts, resend
            }
            return b;
        },
        now);
    ASSERT_EQ(sender.state(), State::done) << sender.failure();
    EXPECT_EQ(sender.retries(), 2);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), receiver.data().begin()));
}

TEST(Xmodem, LostAcknowledgementGivesADuplicateTheReceiverDrops) {
    std::int64_t now = 0;
    Bytes data = pattern(3 * block_size);
    Sender sender(data, {}, now);
    Receiver receiver({}, now);
    sender.receive(receiver.take_output(), now); // 'C'
    receiver.receive(sender.take_output(), now); // block 1
    receiver.take_output();                      // its ACK is lost
    now += 20000;
    sender.tick(now); // resends block 1
    receiver.receive(sender.take_output(), now);
    Bytes reply = receiver.take_output();
    ASSERT_EQ(reply, Bytes{ack});
    run_link(
        sender, receiver, [](Bytes b) { return b; }, now);
    ASSERT_EQ(receiver.state(), State::done);
    EXPECT_EQ(receiver.data().size(), 3 * block_size);
}

TEST(Xmodem, TwoAcksInOneReadAcknowledgeOneBlock) {
    // After lost answers the sender's own resend and the one the receiver's NAK asked for can
    // both arrive; the receiver acknowledges both copies. The second ACK, read together with
    // the first, answers no block the sender sent since and must not skip the next block.
    std::int64_t now = 0;
    Bytes data = pattern(2 * block_size);
    Sender sender(data, {}, now);
    Receiver receiver({}, now);
    sender.receive(receiver.take_output(), now); // 'C'
    Bytes block_one = sender.take_output();
    receiver.receive(block_one, now);
    receiver.receive(block_one, now); // the copy
    ASSERT_EQ(receiver.take_output(), (Bytes{ack, ack}));
    sender.receive(Bytes{ack, ack}, now);
    EXPECT_EQ(sender.blocks_acknowledged(), 1u);
    EXPECT_EQ(sender.take_output(), make_frame(2, std::span(data).subspan(block_size)));
    run_link(
        sender, receiver, [](Bytes b) { return b; }, now);
    ASSERT_EQ(receiver.state(), State::done);
    ASSERT_EQ(sender.state(), State::done);
    EXPECT_EQ(receiver.data(), data);

    // A cancel after an answer in the same read is still heard.
    Sender cancelled(data, {}, now);
    cancelled.receive(Bytes{crc_request, can, can}, now);
    EXPECT_EQ(cancelled.state(), State::failed);
}

TEST(Xmodem, AnEotInsideABlockWithADamagedStartIsNoEnd) {
    // The SOH of block 2 is damaged: its bytes are noise, and a 0x04 among its data must not
    // end the transfer with the block missing. The NAK after the timeout brings it again.
    std::int64_t now = 0;
    Bytes data = pattern(2 * block_size);
    data[block_size + 10] = eot;
    Sender sender(data, {}, now);
    Receiver receiver({}, now);
    sender.receive(receiver.take_output(), now); // 'C'
    receiver.receive(sender.take_output(), now); // block 1
    sender.receive(receiver.take_output(), now); // its ACK
    Bytes block_two = sender.take_output();
    block_two[0] = 0x00;
    receiver.receive(block_two, now);
    EXPECT_EQ(receiver.state(), State::transferring);
    EXPECT_TRUE(receiver.take_output().empty());
    run_link(
        sender, receiver, [](Bytes b) { return b; }, now);
    ASSERT_EQ(receiver.state(), State::done);
    EXPECT_EQ(receiver.data(), data);
    EXPECT_EQ(sender.state(), State::done);
}

TEST(Xmodem, SenderGivesUpAfterRetriesAndOnCancel) {
    std::int64_t now = 0;
    Timing timing;
    timing.max_retries = 3;
    Sender deaf(pattern(10), timing, now);
    deaf.receive(Bytes{crc_request}, now);
    for (int i = 0; i < 10; ++i) {
        now += timing.sender_timeout_ms;
        deaf.tick(now);
    }
    EXPECT_EQ(deaf.state(), State::failed);
    Bytes out = deaf.take_output();
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.back(), can); // the board is told

    Sender never_started(pattern(10), timing, 0);
    never_started.tick(timing.start_timeout_ms - 1);
    EXPECT_EQ(never_started.state(), State::waiting);
    never_started.tick(timing.start_timeout_ms);
    EXPECT_EQ(never_started.state(), State::failed);

    Sender cancelled(pattern(10), timing, 0);
    cancelled.receive(Bytes{crc_request}, 0);
    cancelled.receive(Bytes{can}, 0);
    EXPECT_EQ(cancelled.state(), State::transferring); // one CAN may be noise
    cancelled.receive(Bytes{can}, 0);
    EXPECT_EQ(cancelled.state(), State::failed);
}

TEST(Xmodem, ReceiverIgnoresNoiseAndRejectsBadBlocks) {
    Receiver receiver({}, 0);
    EXPECT_EQ(receiver.take_output(), Bytes{crc_request});
    receiver.receive(bytes_of("garbage\r\n"), 0);
    EXPECT_EQ(receiver.state(), State::waiting);
    EXPECT_TRUE(receiver.take_output().empty());
    Bytes frame = make_frame(1, bytes_of("x"));
    frame[2] = 0x00; // complement wrong
    receiver.receive(frame, 0);
    EXPECT_EQ(receiver.take_output(), Bytes{nak});
    EXPECT_TRUE(receiver.data().empty());
    receiver.receive(make_frame(3, bytes_of("x")), 0); // skips a block
    EXPECT_EQ(receiver.state(), State::failed);
}

TEST(Xmodem, BoardReceivesAProgramWithEachFault) {
    using Fault = BoardConfig::XmodemFault;
    std::string program;
    for (int i = 0; i < 40; ++i) program += "PRINT \"line " + std::to_string(i) + "\"\r";
    for (Fault fault : {Fault::none, Fault::lose_block, Fault::corrupt_block, Fault::cancel}) {
        BoardConfig config;
        config.fault = fault;
        BoardModel board(config);
        std::int64_t now = 0;
        std::string reply = board.receive("XMODEM RECEIVE\r", now);
        // The echo holds a 'C'; the host starts after the echoed line end.
        std::size_t start = reply.find('\n');
        ASSERT_NE(start, std::string::npos);
        Sender sender(bytes_of(program), {}, now);
        sender.receive(bytes_of(reply.substr(start + 1)), now);
        for (int step = 0;
             step < 1000 && sender.state() != State::done && sender.state() != State::failed;
             ++step) {
            Bytes out = sender.take_output();
            std::string answer = board.receive(std::string(out.begin(), out.end()), now);
            if (out.empty()) {
                now += 1000;
                sender.tick(now);
                answer += board.tick(now);
            }
            sender.receive(bytes_of(answer), now);
        }
        if (fault == Fault::cancel) {
            EXPECT_EQ(sender.state(), State::failed);
            EXPECT_TRUE(board.program().empty());
        } else {
            EXPECT_EQ(sender.state(), State::done) << sender.failure();
            EXPECT_EQ(board.program(), program);
            EXPECT_EQ(sender.retries(), fault == Fault::none ? 0 : 1);
        }
        EXPECT_FALSE(board.receiving());
    }
}
