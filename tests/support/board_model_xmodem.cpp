// The simulated board's XMODEM: receiving a file or program, and sending one.
#include "support/board_model.h"
#include "support/board_text.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint8_t soh = 0x01, eot = 0x04, ack = 0x06, nak = 0x15, can = 0x18;
constexpr std::size_t block = 128;
constexpr int request_interval_ms = 2000; // the receiver's NAK before the first block
constexpr int request_count = 32;
constexpr int silence_ms = 1500; // after a bad block or EOT, before answering
constexpr int sender_wait_ms = 60000;

std::uint8_t sum_of(std::string_view data) {
    unsigned sum = 0;
    for (char c : data) sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(sum);
}

std::uint16_t crc_of(std::string_view data) {
    std::uint16_t crc = 0;
    for (char c : data) {
        crc ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

} // namespace

using namespace board_text;

void BoardModel::start_receive(const std::string& file) {
    mode_ = Mode::xmodem_receive;
    xmodem_file_ = file;
    frame_.clear();
    received_.clear();
    expected_ = 1;
    requests_ = 1;
    errors_ = 0;
    cancels_ = 0;
    bad_block_ = eot_seen_ = fault_done_ = false;
    last_byte_ms_ = now_;
    next_request_ms_ = now_ + request_interval_ms;
    out_.push_back(static_cast<char>(nak)); // the checksum variant, at once
}

void BoardModel::receive_byte(std::uint8_t byte) {
    last_byte_ms_ = now_;
    if (bad_block_) return; // after a bad block everything is thrown away until a silence
    if (!frame_.empty()) {
        frame_.push_back(static_cast<char>(byte));
        if (frame_.size() < 3 + block + 1) return;
        std::string frame = std::exchange(frame_, {});
        auto number = static_cast<std::uint8_t>(frame[1]);
        using Fault = BoardConfig::XmodemFault;
        if (!fault_done_ && config_.fault != Fault::none && number == config_.fault_block) {
            fault_done_ = true;
            if (config_.fault == Fault::lose_block) return;
            if (config_.fault == Fault::corrupt_block) frame[10] ^= 0x55;
            if (config_.fault == Fault::cancel) {
                out_ += std::string(3, static_cast<char>(can));
                mode_ = Mode::console;
                say("Error : Cancelled\r\n");
                prompt();
                return;
            }
        }
        std::string_view data = std::string_view(frame).substr(3, block);
        bool intact = static_cast<std::uint8_t>(~frame[2]) == number &&
                      sum_of(data) == static_cast<std::uint8_t>(frame[3 + block]);
        if (intact && number == expected_ && !xmodem_file_.empty() &&
            !drives_.fits(xmodem_drive_, received_.size() + block)) {
            // The write fails: the error ends the command, and what follows is typed at the
            // prompt.
            mode_ = Mode::console;
            say("Error : Disk full\r\n");
            prompt();
            return;
        }
        if (intact && number == expected_) {
            received_ += data;
            ++expected_;
            out_.push_back(static_cast<char>(ack));
        } else if (intact && number == static_cast<std::uint8_t>(expected_ - 1)) {
            out_.push_back(static_cast<char>(ack)); // a repeat whose ACK was lost
        } else {
            bad_block_ = true; // answered by NAK after a silence
        }
        return;
    }
    if (byte == soh) {
        frame_.push_back(static_cast<char>(byte));
        requests_ = -1; // started: no more requests
        cancels_ = 0;
    } else if (byte == eot && requests_ < 0) {
        eot_seen_ = true;
    } else if (byte == can) {
        if (++cancels_ >= 2) {
            mode_ = Mode::console;
            say("Error : Cancelled by remote\r\n");
            prompt();
        }
    }
}

void BoardModel::finish_receive() {
    mode_ = Mode::console;
    if (xmodem_file_.empty()) {
        std::string program;
        for (char c : received_)
            if (c != 0x1A && c != 0) program.push_back(c);
        program_ = program;
        say("Saved " + std::to_string(program_.size()) + " bytes\r\n");
    } else {
        // Every block whole, padding included.
        if (!drives_.store(xmodem_drive_, xmodem_file_, received_)) {
            say("Error : Disk full\r\n");
        }
    }
    prompt();
}

void BoardModel::start_send(const std::string& file) {
    std::string data;
    if (file.empty()) {
        for (const std::string& line : program_lines(program_)) data += line + "\r\n";
        if (v6_03() && !data.empty()) data.pop_back(); // the final LF goes
    } else {
        BoardDrive& drive = drives_.drive(xmodem_drive_);
        std::optional<std::string> key = drive.file_key(file);
        if (!key) {
            say("Error : Could not find the file\r\n");
            prompt();
            return;
        }
        data = drive.files[*key];
    }
    mode_ = Mode::xmodem_send;
    send_data_ = data;
    send_block_ = 0;
    send_started_ = send_eot_ = false;
    cancels_ = 0;
    send_deadline_ms_ = now_ + sender_wait_ms;
}

void BoardModel::send_block() {
    if (send_block_ * block >= send_data_.size()) {
        out_.push_back(static_cast<char>(eot));
        send_eot_ = true;
        return;
    }
    std::string data = send_data_.substr(send_block_ * block, block);
    data.resize(block, '\0');
    auto number = static_cast<std::uint8_t>(send_block_ + 1);
    out_.push_back(static_cast<char>(soh));
    out_.push_back(static_cast<char>(number));
    out_.push_back(static_cast<char>(~number));
    out_ += data;
    if (send_crc_) {
        std::uint16_t crc = crc_of(data);
        out_.push_back(static_cast<char>(crc >> 8));
        out_.push_back(static_cast<char>(crc & 0xFF));
    } else {
        out_.push_back(static_cast<char>(sum_of(data)));
    }
}

void BoardModel::send_byte(std::uint8_t byte) {
    if (byte == can) {
        if (++cancels_ >= 2) {
            mode_ = Mode::console;
            say("Error : Cancelled by remote\r\n");
            prompt();
        }
        return;
    }
    cancels_ = 0;
    if (!send_started_) {
        // 6.00.03 answers only the checksum request; newer firmware either.
        if (byte == nak || (byte == 'C' && v6_03())) {
            send_started_ = true;
            send_crc_ = byte == 'C';
            send_block();
        }
        return;
    }
    if (byte == ack) {
        if (send_eot_) {
            mode_ = Mode::console;
            prompt();
            return;
        }
        ++send_block_;
        send_block();
    } else if (byte == nak) {
        if (send_eot_)
            out_.push_back(static_cast<char>(eot));
        else
            send_block();
    }
}

void BoardModel::xmodem_tick() {
    if (mode_ == Mode::xmodem_send && !send_started_ && now_ >= send_deadline_ms_) {
        mode_ = Mode::console;
        say("Error : Receiver did not respond\r\n");
        prompt();
        return;
    }
    if (mode_ != Mode::xmodem_receive) return;
    if (requests_ > 0 && now_ >= next_request_ms_) {
        if (requests_ >= request_count) {
            mode_ = Mode::console;
            say("Error : Remote did not respond\r\n");
            prompt();
            return;
        }
        ++requests_;
        next_request_ms_ += request_interval_ms;
        out_.push_back(static_cast<char>(nak));
    }
    if (now_ - last_byte_ms_ < silence_ms) return;
    if (eot_seen_) {
        out_.push_back(static_cast<char>(ack));
        finish_receive();
    } else if (bad_block_ || !frame_.empty()) {
        frame_.clear();
        bad_block_ = false;
        if (++errors_ > 10) {
            mode_ = Mode::console;
            say("Error : Too many errors\r\n");
            prompt();
            return;
        }
        last_byte_ms_ = now_;
        out_.push_back(static_cast<char>(nak));
    }
}
