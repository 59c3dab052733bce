// XMODEM, in both of its variants (an 8-bit checksum or a CRC-16 after each block): block
// framing and the two ends of a transfer as state machines over bytes. The receiver chooses the
// variant by its first request: NAK asks for checksums, 'C' for CRC-16.
// Neither end touches a clock or a port: the caller feeds received bytes and the current time in
// milliseconds, and drains the bytes to send. That keeps timeouts and retries testable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace xmodem {

constexpr std::uint8_t soh = 0x01;
constexpr std::uint8_t eot = 0x04;
constexpr std::uint8_t ack = 0x06;
constexpr std::uint8_t nak = 0x15;
constexpr std::uint8_t can = 0x18;
constexpr std::uint8_t crc_request = 'C';
constexpr std::uint8_t pad = 0x1A;
constexpr std::size_t block_size = 128;
constexpr std::size_t frame_size = 3 + block_size + 2; // SOH, number, ~number, data, CRC

enum class Check { checksum, crc };
constexpr std::size_t frame_length(Check check) {
    return check == Check::crc ? frame_size : frame_size - 1;
}

using Bytes = std::vector<std::uint8_t>;

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection.
std::uint16_t crc16(std::span<const std::uint8_t> data);

// The 8-bit sum of the bytes.
std::uint8_t checksum(std::span<const std::uint8_t> data);

// One framed block: `data` (at most 128 bytes) is padded with 0x1A.
Bytes make_frame(std::uint8_t number, std::span<const std::uint8_t> data, Check check = Check::crc);

struct Timing {
    int start_timeout_ms = 60000; // sender: how long to wait for the receiver's first request
    // The receiver drives the retries: it asks again (NAK) when a block does not arrive in
    // time. The sender waits longer before sending again by itself, so that both ends never
    // repeat the same block at once (which would bring two ACKs for one block).
    int receiver_timeout_ms = 10000;
    int sender_timeout_ms = 15000;
    int request_interval_ms = 3000; // receiver: how often it repeats its request before block 1
    int max_retries = 10;           // sends of one block (or requests) before giving up
};

// The limits against a board: its receiver asks at once but may be slow to start (up to 15 s is
// tolerated), and after the last block it waits 1.5 s of silence before acknowledging the end.
Timing board_timing();

enum class State { waiting, transferring, done, failed };

class Sender {
  public:
    Sender(Bytes payload, Timing timing, std::int64_t now_ms);

    void receive(std::span<const std::uint8_t> bytes, std::int64_t now_ms);
    void tick(std::int64_t now_ms);
    // Stops the transfer and sends the cancel sequence.
    void cancel();
    Bytes take_output();

    State state() const { return state_; }
    const std::string& failure() const { return failure_; }
    std::size_t blocks_total() const { return blocks_total_; }
    std::size_t blocks_acknowledged() const { return acknowledged_; }
    int retries() const { return total_retries_; } // resends over the whole transfer
    // The variant the receiver asked for (valid once transferring).
    Check check() const { return check_; }

  private:
    void send_current(std::int64_t now_ms);
    void fail(std::string why, bool send_cancel);

    Bytes payload_;
    Timing timing_;
    Check check_ = Check::crc;
    State state_ = State::waiting;
    std::string failure_;
    Bytes output_;
    std::size_t blocks_total_;
    std::size_t acknowledged_ = 0;
    bool eot_sent_ = false;
    int attempts_ = 0; // sends of the current block or EOT
    int total_retries_ = 0;
    int cancels_seen_ = 0;
    std::int64_t deadline_;
};

class Receiver {
  public:
    // `check` is the variant asked for: a board's sender of the older firmware answers only a
    // NAK (checksum), newer ones either.
    Receiver(Timing timing, std::int64_t now_ms, Check check = Check::crc);

    void receive(std::span<const std::uint8_t> bytes, std::int64_t now_ms);
    void tick(std::int64_t now_ms);
    void cancel();
    Bytes take_output();

    State state() const { return state_; }
    const std::string& failure() const { return failure_; }
    // Everything received, including the padding of the last block.
    const Bytes& data() const { return data_; }
    std::size_t blocks() const { return data_.size() / block_size; }

  private:
    void fail(std::string why, bool send_cancel);
    void request(std::int64_t now_ms);
    void take_frame(std::int64_t now_ms);

    Timing timing_;
    Check check_;
    State state_ = State::waiting;
    std::string failure_;
    Bytes output_;
    Bytes data_;
    Bytes frame_; // the block being collected, from its SOH
    // Bytes that were no block, EOT or cancel arrived since the last answer: an EOT among them
    // may be a data byte of a block whose SOH was damaged, so it is not taken for the end.
    bool noise_since_answer_ = false;
    std::uint8_t expected_ = 1;
    int attempts_ = 0;
    int cancels_seen_ = 0;
    std::int64_t deadline_;
};

} // namespace xmodem
