// XMODEM sender and receiver, checksum and CRC-16.
#include "device/xmodem.h"

#include <algorithm>
#include <utility>

namespace xmodem {

std::uint16_t crc16(std::span<const std::uint8_t> data) {
    std::uint16_t crc = 0;
    for (std::uint8_t byte : data) {
        crc ^= static_cast<std::uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

std::uint8_t checksum(std::span<const std::uint8_t> data) {
    unsigned sum = 0;
    for (std::uint8_t byte : data) sum += byte;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

Bytes make_frame(std::uint8_t number, std::span<const std::uint8_t> data, Check check) {
    Bytes frame;
    frame.reserve(frame_size);
    frame.push_back(soh);
    frame.push_back(number);
    frame.push_back(static_cast<std::uint8_t>(~number));
    std::size_t count = std::min(data.size(), block_size);
    frame.insert(frame.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
    frame.resize(3 + block_size, pad);
    if (check == Check::checksum) {
        frame.push_back(checksum(std::span(frame).subspan(3, block_size)));
        return frame;
    }
    std::uint16_t crc = crc16(std::span(frame).subspan(3, block_size));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return frame;
}

Timing board_timing() {
    Timing timing;
    timing.start_timeout_ms = 20000;
    return timing;
}

// ---- sender ----

Sender::Sender(Bytes payload, Timing timing, std::int64_t now_ms)
    : payload_(std::move(payload)), timing_(timing),
      blocks_total_((payload_.size() + block_size - 1) / block_size),
      deadline_(now_ms + timing.start_timeout_ms) {}

void Sender::send_current(std::int64_t now_ms) {
    if (attempts_ >= timing_.max_retries) {
        fail(eot_sent_ ? "the board did not confirm the end of the transfer"
                       : "block " + std::to_string(acknowledged_ + 1) + " failed " +
                             std::to_string(attempts_) + " times",
             true);
        return;
    }
    if (attempts_ > 0) ++total_retries_;
    ++attempts_;
    if (acknowledged_ >= blocks_total_) {
        eot_sent_ = true;
        output_.push_back(eot);
    } else {
        std::size_t offset = acknowledged_ * block_size;
        std::size_t count = std::min(block_size, payload_.size() - offset);
        Bytes frame = make_frame(static_cast<std::uint8_t>(acknowledged_ + 1),
                                 std::span(payload_).subspan(offset, count), check_);
        output_.insert(output_.end(), frame.begin(), frame.end());
    }
    deadline_ = now_ms + timing_.sender_timeout_ms;
}

void Sender::receive(std::span<const std::uint8_t> bytes, std::int64_t now_ms) {
    // Once something was sent in answer, the rest of these bytes arrived before it and cannot
    // answer it: a second ACK here is the receiver acknowledging a block that both ends sent
    // again at once, and taking it for the new block would skip that block. Only a cancel is
    // still heard.
    bool answered = false;
    for (std::uint8_t byte : bytes) {
        if (state_ == State::done || state_ == State::failed) return;
        if (byte == can) {
            if (++cancels_seen_ >= 2) fail("the board cancelled the transfer", false);
            continue;
        }
        if (answered) continue;
        cancels_seen_ = 0;
        if (state_ == State::waiting) {
            // The receiver's first request chooses the variant; noise before it is ignored.
            if (byte == crc_request || byte == nak) {
                check_ = byte == nak ? Check::checksum : Check::crc;
                state_ = State::transferring;
                attempts_ = 0;
                send_current(now_ms);
                answered = true;
            }
            continue;
        }
        if (byte == ack) {
            attempts_ = 0;
            if (eot_sent_) {
                state_ = State::done;
                return;
            }
            ++acknowledged_;
            send_current(now_ms);
            answered = true;
        } else if (byte == nak) {
            send_current(now_ms);
            answered = true;
        }
        // A late 'C' is a request the first block already answered: resending on it could send
        // a block twice and take the second ACK for the next block. The sender timeout covers a
        // first block that was really lost.
        // Anything else (echo, noise) is ignored; the timeout covers a lost answer.
    }
}

void Sender::tick(std::int64_t now_ms) {
    if (state_ == State::done || state_ == State::failed) return;
    if (now_ms < deadline_) return;
    if (state_ == State::waiting) {
        fail("the board did not start the transfer", true);
        return;
    }
    send_current(now_ms);
}

void Sender::cancel() {
    if (state_ == State::done || state_ == State::failed) return;
    fail("cancelled", true);
}

void Sender::fail(std::string why, bool send_cancel) {
    state_ = State::failed;
    failure_ = std::move(why);
    if (send_cancel)
        for (int i = 0; i < 3; ++i) output_.push_back(can);
}

Bytes Sender::take_output() {
    return std::exchange(output_, {});
}

// ---- receiver ----

Receiver::Receiver(Timing timing, std::int64_t now_ms, Check check)
    : timing_(timing), check_(check), deadline_(now_ms) {
    request(now_ms);
}

void Receiver::request(std::int64_t now_ms) {
    if (attempts_ >= timing_.max_retries) {
        fail(state_ == State::waiting ? "the sender did not start" : "the sender stopped", true);
        return;
    }
    ++attempts_;
    output_.push_back(state_ == State::waiting && check_ == Check::crc ? crc_request : nak);
    noise_since_answer_ = false;
    deadline_ = now_ms + (state_ == State::waiting ? timing_.request_interval_ms
                                                   : timing_.receiver_timeout_ms);
}

void Receiver::take_frame(std::int64_t now_ms) {
    std::uint8_t number = frame_[1];
    std::span<const std::uint8_t> data = std::span(frame_).subspan(3, block_size);
    bool intact = static_cast<std::uint8_t>(~frame_[2]) == number &&
                  (check_ == Check::checksum
                       ? checksum(data) == frame_[3 + block_size]
                       : crc16(data) == ((frame_[3 + block_size] << 8) | frame_[4 + block_size]));
    if (!intact) {
        frame_.clear();
        request(now_ms);
        return;
    }
    if (number == expected_) {
        data_.insert(data_.end(), frame_.begin() + 3, frame_.begin() + 3 + block_size);
        ++expected_;
    } else if (number != static_cast<std::uint8_t>(expected_ - 1)) {
        // Neither the next block nor a repeat of the last: the two ends lost step.
        frame_.clear();
        fail("block " + std::to_string(number) + " arrived out of order", true);
        return;
    }
    // A repeat of the last block (its ACK was lost) is acknowledged again and dropped.
    frame_.clear();
    attempts_ = 0;
    output_.push_back(ack);
    noise_since_answer_ = false;
    deadline_ = now_ms + timing_.receiver_timeout_ms;
}

void Receiver::receive(std::span<const std::uint8_t> bytes, std::int64_t now_ms) {
    for (std::uint8_t byte : bytes) {
        if (state_ == State::done || state_ == State::failed) return;
        if (!frame_.empty()) {
            frame_.push_back(byte);
            if (frame_.size() == frame_length(check_)) take_frame(now_ms);
            continue;
        }
        if (byte == can) {
            if (++cancels_seen_ >= 2) fail("the sender cancelled the transfer", false);
            continue;
        }
        cancels_seen_ = 0;
        if (byte == soh) {
            state_ = State::transferring;
            frame_.push_back(byte);
            deadline_ = now_ms + timing_.receiver_timeout_ms;
        } else if (byte == eot && state_ == State::transferring && !noise_since_answer_) {
            output_.push_back(ack);
            state_ = State::done;
        } else {
            // Other bytes between blocks are noise and dropped; the timeout asks again.
            noise_since_answer_ = true;
        }
    }
}

void Receiver::tick(std::int64_t now_ms) {
    if (state_ == State::done || state_ == State::failed) return;
    if (now_ms < deadline_) return;
    frame_.clear(); // a block cut short is asked for again
    request(now_ms);
}

void Receiver::cancel() {
    if (state_ == State::done || state_ == State::failed) return;
    fail("cancelled", true);
}

void Receiver::fail(std::string why, bool send_cancel) {
    state_ = State::failed;
    failure_ = std::move(why);
    if (send_cancel)
        for (int i = 0; i < 3; ++i) output_.push_back(can);
}

Bytes Receiver::take_output() {
    return std::exchange(output_, {});
}

} // namespace xmodem
