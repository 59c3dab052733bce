// The simulated board's console.
#include "support/board_model.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

std::string upper_trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The text between the first pair of quotes after `keyword`, if the line is that statement.
bool statement(std::string_view line, std::string_view keyword, std::string& argument) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (upper_trimmed(line.substr(0, keyword.size())) != keyword) return false;
    std::size_t open = line.find('"');
    std::size_t close = open == std::string_view::npos ? open : line.find('"', open + 1);
    argument =
        close == std::string_view::npos ? "" : std::string(line.substr(open + 1, close - open - 1));
    return true;
}

} // namespace

BoardModel::BoardModel(BoardConfig config) : config_(config) {}
BoardModel::~BoardModel() = default;

std::string BoardModel::receive(std::string_view bytes, std::int64_t now_ms) {
    std::string out;
    if (config_.silent) return out;
    now_ = now_ms;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        switch (mode_) {
        case Mode::console:
            if (c == '\r') {
                out += "\r\n";
                command(std::exchange(input_, {}), out);
            } else if (c == 0x03) {
                input_.clear();
                out += "\r\n> ";
            } else if (c == '\b' || c == 0x7F) {
                if (!input_.empty()) {
                    input_.pop_back();
                    out += "\b \b";
                }
            } else if (c != '\n') {
                input_.push_back(c);
                out.push_back(c);
            }
            break;
        case Mode::autosave:
            if (c == 0x03) {
                // Ctrl+C abandons the program being received; the stored one stays.
                collected_.clear();
                mode_ = Mode::console;
                out += "\r\n> ";
            } else if (c == 0x1A) {
                program_ = std::exchange(collected_, {});
                ++autosaves_;
                mode_ = Mode::console;
                out += "\r\n> ";
            } else {
                collected_.push_back(c);
                if (c == '\r')
                    out += "\r\n";
                else if (c != '\n')
                    out.push_back(c);
            }
            break;
        case Mode::running:
            if (c == 0x03) {
                mode_ = Mode::console;
                out += "\r\nBreak in line " + std::to_string(loop_line_) + "\r\n> ";
            }
            break;
        case Mode::xmodem:
            xmodem_bytes(bytes.substr(i), now_ms, out);
            return out;
        }
    }
    return out;
}

std::string BoardModel::tick(std::int64_t now_ms) {
    std::string out;
    if (mode_ == Mode::xmodem && receiver_) {
        receiver_->tick(now_ms);
        xmodem::Bytes reply = receiver_->take_output();
        out.append(reply.begin(), reply.end());
        finish_xmodem(out);
    }
    return out;
}

void BoardModel::command(std::string line, std::string& out) {
    std::string word = upper_trimmed(line);
    if (word == "AUTOSAVE") {
        mode_ = Mode::autosave;
        collected_.clear();
        return;
    }
    if (word == "RUN") {
        run(out);
        return;
    }
    if (word == "XMODEM RECEIVE" || word == "XMODEM R") {
        mode_ = Mode::xmodem;
        receiver_ = std::make_unique<xmodem::Receiver>(config_.timing, now_);
        frame_buffer_.clear();
        fault_done_ = false;
        xmodem_failure_.clear();
        xmodem::Bytes request = receiver_->take_output();
        out.append(request.begin(), request.end());
        return;
    }
    if (word == "NEW") {
        program_.clear();
    } else if (word == "LIST") {
        for (char c : program_) out += c == '\r' ? std::string("\r\n") : std::string(1, c);
    } else if (!word.empty()) {
        out += "Error: Unknown command\r\n";
    }
    out += "> ";
}

void BoardModel::run(std::string& out) {
    long number = 0;
    std::size_t start = 0;
    // A program stored by XMODEM keeps the file's line ends: CR, LF or CR LF each end a line.
    while (start < program_.size()) {
        std::size_t end = program_.find_first_of("\r\n", start);
        if (end == std::string::npos) end = program_.size();
        std::string_view line(program_.data() + start, end - start);
        start = end + 1;
        if (end + 1 < program_.size() && program_[end] == '\r' && program_[end + 1] == '\n')
            ++start;
        ++number;
        std::string argument;
        if (statement(line, "PRINT", argument)) {
            out += argument + "\r\n";
        } else if (statement(line, "ERROR", argument)) {
            out += "Error in line " + std::to_string(number) + ": " + argument + "\r\n> ";
            return;
        } else if (upper_trimmed(line) == "DO") {
            mode_ = Mode::running;
            loop_line_ = number;
            return;
        }
    }
    out += "> ";
}

void BoardModel::xmodem_bytes(std::string_view bytes, std::int64_t now_ms, std::string& out) {
    frame_buffer_.append(bytes);
    // Whole blocks pass through the fault; other bytes (EOT, CAN, noise) go straight on.
    while (!frame_buffer_.empty() && mode_ == Mode::xmodem) {
        if (static_cast<std::uint8_t>(frame_buffer_[0]) != xmodem::soh) {
            auto byte = static_cast<std::uint8_t>(frame_buffer_[0]);
            frame_buffer_.erase(0, 1);
            receiver_->receive(std::span(&byte, 1), now_ms);
        } else if (frame_buffer_.size() >= xmodem::frame_size) {
            xmodem::Bytes frame(frame_buffer_.begin(), frame_buffer_.begin() + xmodem::frame_size);
            frame_buffer_.erase(0, xmodem::frame_size);
            bool hit = !fault_done_ && frame[1] == config_.fault_block &&
                       config_.fault != BoardConfig::XmodemFault::none;
            if (hit) {
                fault_done_ = true;
                if (config_.fault == BoardConfig::XmodemFault::lose_block) continue;
                if (config_.fault == BoardConfig::XmodemFault::corrupt_block) frame[10] ^= 0x55;
                if (config_.fault == BoardConfig::XmodemFault::cancel) {
                    receiver_->cancel();
                    break;
                }
            }
            receiver_->receive(frame, now_ms);
        } else {
            break;
        }
        xmodem::Bytes reply = receiver_->take_output();
        out.append(reply.begin(), reply.end());
    }
    xmodem::Bytes reply = receiver_->take_output();
    out.append(reply.begin(), reply.end());
    finish_xmodem(out);
}

void BoardModel::finish_xmodem(std::string& out) {
    if (!receiver_) return;
    if (receiver_->state() == xmodem::State::done) {
        const xmodem::Bytes& data = receiver_->data();
        std::size_t end = data.size();
        while (end > 0 && data[end - 1] == xmodem::pad) --end;
        program_.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(end));
        mode_ = Mode::console;
        receiver_.reset();
        out += "\r\n> ";
    } else if (receiver_->state() == xmodem::State::failed) {
        xmodem_failure_ = receiver_->failure();
        mode_ = Mode::console;
        receiver_.reset();
        out += "\r\nError: XMODEM " + xmodem_failure_ + "\r\n> ";
    }
}
