// One console command or transfer at the board's prompt.
#include "boardfiles/board_step.h"

#include <utility>

namespace {
constexpr char ctrl_c = 0x03;
constexpr std::string_view pause_text = "PRESS ANY KEY ...";
} // namespace

BoardStep::BoardStep(std::string command, bool break_first, BoardStepTiming timing,
                     std::int64_t now_ms)
    : command_(std::move(command)), timing_(timing), phase_(Phase::breaking), last_output_(now_ms),
      deadline_(now_ms + timing.answer_timeout_ms) {
    if (command_.size() > max_line) {
        fail("The command is " + std::to_string(command_.size()) +
             " characters long; the board's prompt takes at most " + std::to_string(max_line) +
             ". Choose a shorter name.");
        return;
    }
    if (break_first)
        output_.push_back(ctrl_c); // a half-typed line would take the command
    else
        start(now_ms);
}

void BoardStep::upload(std::string payload) {
    transfer_ = Transfer::upload;
    payload_ = std::move(payload);
}

void BoardStep::download(xmodem::Check check) {
    transfer_ = Transfer::download;
    check_ = check;
}

void BoardStep::fail(std::string why) {
    if (over()) return;
    phase_ = Phase::failed;
    failure_ = std::move(why);
}

void BoardStep::start(std::int64_t now_ms) {
    phase_ = Phase::echo;
    text_.reset();
    output_ += command_ + "\r";
    deadline_ = now_ms + timing_.answer_timeout_ms;
}

void BoardStep::finish_at_prompt() {
    at_prompt_ = true;
    phase_ = Phase::done;
}

std::string BoardStep::data() const {
    if (!receiver_) return {};
    const xmodem::Bytes& bytes = receiver_->data();
    return std::string(bytes.begin(), bytes.end());
}

std::size_t BoardStep::blocks_done() const {
    if (sender_) return sender_->blocks_acknowledged();
    if (receiver_) return receiver_->blocks();
    return 0;
}

std::size_t BoardStep::blocks_total() const {
    if (sender_) return sender_->blocks_total();
    return (payload_.size() + xmodem::block_size - 1) / xmodem::block_size;
}

void BoardStep::take_lines(const std::vector<std::string>& lines, std::int64_t now_ms) {
    for (const std::string& line : lines) {
        paused_ = false;
        if (phase_ == Phase::breaking) continue;
        std::string message;
        if (board_error_message(line, message)) {
            if (sender_) sender_.reset(); // nothing more of the blocks goes out
            if (phase_ == Phase::transfer) output_.push_back(ctrl_c); // blocks typed at the prompt
            return fail("The board answered \"Error : " + message + "\".");
        }
        if (phase_ == Phase::echo && console_trim(line).ends_with(console_trim(command_))) {
            deadline_ = now_ms + timing_.answer_timeout_ms;
            if (transfer_ == Transfer::none) {
                phase_ = Phase::answer;
                continue;
            }
            phase_ = Phase::transfer;
            if (transfer_ == Transfer::upload)
                sender_ = std::make_unique<xmodem::Sender>(
                    xmodem::Bytes(payload_.begin(), payload_.end()), timing_.xmodem, now_ms);
            else
                receiver_ = std::make_unique<xmodem::Receiver>(timing_.xmodem, now_ms, check_);
            return; // the rest of the bytes belong to the transfer
        }
        if (phase_ == Phase::answer) lines_.push_back(line);
    }
}

void BoardStep::check_transfer(std::int64_t now_ms) {
    xmodem::State state = sender_ ? sender_->state() : receiver_->state();
    if (state == xmodem::State::failed) {
        fail("XMODEM: " + (sender_ ? sender_->failure() : receiver_->failure()) + ".");
    } else if (state == xmodem::State::done) {
        phase_ = Phase::closing;
        text_.reset();
        deadline_ = now_ms + timing_.answer_timeout_ms;
    }
}

void BoardStep::transfer_bytes(std::string_view bytes, std::int64_t now_ms, std::string& shown) {
    for (std::size_t i = 0; i < bytes.size() && phase_ == Phase::transfer; ++i) {
        auto byte = static_cast<std::uint8_t>(bytes[i]);
        bool waiting = sender_ ? sender_->state() == xmodem::State::waiting
                               : receiver_->state() == xmodem::State::waiting;
        if (sender_)
            sender_->receive(std::span(&byte, 1), now_ms);
        else
            receiver_->receive(std::span(&byte, 1), now_ms);
        // The board may refuse in words before the first block, and the receiving board when
        // a write fails; its ACK and NAK bytes are no text.
        if (sender_ || waiting) {
            if (byte >= 0x20 || byte == '\r' || byte == '\n') shown.push_back(bytes[i]);
            take_lines(text_.feed(bytes.substr(i, 1)), now_ms);
            if (over()) return;
        }
        check_transfer(now_ms);
        if (phase_ == Phase::closing) {
            std::string_view rest = bytes.substr(i + 1);
            shown += rest;
            take_lines(text_.feed(rest), now_ms);
            if (!over() && text_.at_prompt()) finish_at_prompt();
            return;
        }
    }
}

std::string BoardStep::receive(std::string_view bytes, std::int64_t now_ms) {
    if (bytes.empty() || over()) return std::string(bytes);
    last_output_ = now_ms;
    if (phase_ != Phase::transfer) deadline_ = now_ms + timing_.answer_timeout_ms;
    std::string shown;
    std::size_t i = 0;
    while (i < bytes.size() && !over()) {
        if (phase_ == Phase::transfer) {
            transfer_bytes(bytes.substr(i), now_ms, shown);
            return shown;
        }
        // Console text, a line at a time: the echo's line end may start a transfer.
        std::size_t end = bytes.find('\n', i);
        std::size_t stop = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view part = bytes.substr(i, stop - i);
        shown += part;
        take_lines(text_.feed(part), now_ms);
        i = stop;
        if (over() || phase_ == Phase::transfer) continue;
        if (phase_ == Phase::breaking && text_.at_prompt()) {
            start(now_ms);
        } else if ((phase_ == Phase::answer || phase_ == Phase::closing) && text_.at_prompt()) {
            finish_at_prompt();
        } else if (phase_ == Phase::answer && text_.partial() == pause_text && !paused_) {
            paused_ = true;
            output_.push_back(' ');
        }
    }
    if (i < bytes.size()) shown += bytes.substr(i);
    return shown;
}

void BoardStep::tick(std::int64_t now_ms) {
    bool quiet = now_ms - last_output_ >= timing_.quiet_ms && !text_.partial().empty() &&
                 !paused_ && text_.partial() != pause_text;
    switch (phase_) {
    case Phase::breaking:
        if (quiet) // a program's own prompt
            start(now_ms);
        else if (now_ms >= deadline_)
            fail("The board did not come back to its prompt after Ctrl-C.");
        return;
    case Phase::echo:
        if (now_ms >= deadline_) fail("The board did not echo \"" + command_ + "\".");
        return;
    case Phase::answer:
        if (quiet)
            phase_ = Phase::done;
        else if (now_ms >= deadline_)
            fail("The board stopped answering \"" + command_ + "\".");
        return;
    case Phase::transfer:
        if (sender_)
            sender_->tick(now_ms);
        else
            receiver_->tick(now_ms);
        check_transfer(now_ms);
        return;
    case Phase::closing:
        // The transfer itself is complete; a board that shows no prompt after it is not
        // waited for longer than this.
        if (quiet || now_ms >= deadline_) phase_ = Phase::done;
        return;
    case Phase::done:
    case Phase::failed:
        return;
    }
}

std::string BoardStep::take_output() {
    xmodem::Bytes bytes;
    if (sender_) bytes = sender_->take_output();
    if (receiver_) bytes = receiver_->take_output();
    output_.append(bytes.begin(), bytes.end());
    return std::exchange(output_, {});
}

void BoardStep::cancel() {
    if (over()) return;
    if (phase_ == Phase::transfer && sender_)
        sender_->cancel();
    else if (phase_ == Phase::transfer && receiver_)
        receiver_->cancel();
    else
        output_.push_back(ctrl_c);
    fail("Cancelled.");
}

void BoardStep::link_lost() {
    fail("The link to the board was lost.");
}
