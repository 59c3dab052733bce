// Sending a program, AUTOSAVE or XMODEM, with the board's answers checked.
#include "device/program_sender.h"

#include <algorithm>
#include <utility>

std::unique_ptr<ProgramSender>
ProgramSender::by_autosave(std::string program, AutosaveOptions options, std::int64_t now_ms) {
    std::unique_ptr<ProgramSender> sender(new ProgramSender);
    sender->autosave_ = std::make_unique<AutosaveTransfer>(std::move(program), options, now_ms);
    return sender;
}

std::unique_ptr<ProgramSender> ProgramSender::by_xmodem(std::string program, xmodem::Timing timing,
                                                        int answer_timeout_ms,
                                                        std::int64_t now_ms) {
    std::unique_ptr<ProgramSender> sender(new ProgramSender);
    sender->sender_ = std::make_unique<xmodem::Sender>(
        xmodem::Bytes(program.begin(), program.end()), timing, now_ms);
    sender->answer_timeout_ms_ = answer_timeout_ms;
    sender->last_output_ = now_ms;
    sender->deadline_ = now_ms + answer_timeout_ms;
    sender->output_.push_back(0x03); // a half-typed line would take the command
    return sender;
}

void ProgramSender::fail(std::string why) {
    if (step_ == Step::done || step_ == Step::failed) return;
    step_ = Step::failed;
    failure_ = std::move(why);
}

bool ProgramSender::over() const {
    return autosave_ ? autosave_->over() : step_ == Step::done || step_ == Step::failed;
}

bool ProgramSender::ok() const {
    return autosave_ ? autosave_->phase() == AutosaveTransfer::Phase::done : step_ == Step::done;
}

const std::string& ProgramSender::failure() const {
    return autosave_ ? autosave_->failure() : failure_;
}

long ProgramSender::failed_line() const {
    return autosave_ ? autosave_->failed_line() : 0;
}

int ProgramSender::progress() const {
    if (autosave_)
        return static_cast<int>(autosave_->confirmed() * 1000 /
                                std::max<std::size_t>(autosave_->total(), 1));
    return static_cast<int>(sender_->blocks_acknowledged() * 1000 /
                            std::max<std::size_t>(sender_->blocks_total(), 1));
}

std::string ProgramSender::take_output() {
    if (autosave_) return autosave_->take_output();
    xmodem::Bytes bytes = sender_->take_output();
    // Nothing of XMODEM's goes to a board that never started a transfer: it is at its prompt.
    if (started_) output_.append(bytes.begin(), bytes.end());
    if (step_ == Step::breaking && !break_sent_ && !output_.empty()) {
        break_sent_ = true; // the prompt that counts comes after Ctrl-C
        text_.reset();
    }
    return std::exchange(output_, {});
}

void ProgramSender::cancel() {
    if (autosave_) return autosave_->cancel();
    if (started_) {
        sender_->cancel();
    } else if (step_ == Step::breaking || step_ == Step::echo) {
        output_.push_back(0x03);
    }
    fail("Sending was cancelled.");
}

// Console lines outside the blocks: an error ends the transfer, "Saved" confirms it. False when
// it failed.
bool ProgramSender::take_lines(std::string_view bytes, std::int64_t now_ms) {
    for (const std::string& line : text_.feed(bytes)) {
        std::string message;
        if (board_error_message(line, message)) {
            fail("The board answered \"Error : " + message + "\".");
            return false;
        }
        if (step_ == Step::echo && console_trim(line).ends_with("XMODEM RECEIVE")) {
            step_ = Step::transfer;
            deadline_ = now_ms;
        }
        if (step_ == Step::confirming && line.starts_with("Saved ")) saved_ = line;
    }
    return true;
}

void ProgramSender::xmodem_receive(std::string_view bytes, std::int64_t now_ms,
                                   std::string& shown) {
    std::size_t i = 0;
    while (i < bytes.size() && !over()) {
        if (step_ != Step::transfer) {
            // Up to the end of the command's echo everything is console text (the echo holds a
            // 'C', which must not start a transfer).
            std::size_t end = bytes.find('\n', i);
            std::size_t stop = end == std::string_view::npos ? bytes.size() : end + 1;
            std::string_view part = bytes.substr(i, stop - i);
            shown += part;
            take_lines(part, now_ms);
            i = stop;
            continue;
        }
        auto byte = static_cast<std::uint8_t>(bytes[i++]);
        bool started = sender_->state() != xmodem::State::waiting;
        sender_->receive(std::span(&byte, 1), now_ms);
        if (sender_->state() != xmodem::State::waiting) started_ = true;
        if (!started) {
            // Before the first request the board may still refuse in words.
            if (byte >= 0x20 || byte == '\r' || byte == '\n')
                shown.push_back(static_cast<char>(byte));
            if (!take_lines(std::string_view(reinterpret_cast<const char*>(&byte), 1), now_ms))
                return;
        }
        if (sender_->state() == xmodem::State::done) {
            step_ = Step::confirming;
            text_.reset();
            deadline_ = now_ms + answer_timeout_ms_;
        } else if (sender_->state() == xmodem::State::failed) {
            fail("XMODEM: " + sender_->failure() + ".");
        }
    }
    if (i < bytes.size()) shown += bytes.substr(i);
}

std::string ProgramSender::receive(std::string_view bytes, std::int64_t now_ms) {
    if (bytes.empty()) return {};
    if (autosave_) {
        autosave_->receive(bytes, now_ms);
        return std::string(bytes);
    }
    last_output_ = now_ms;
    std::string shown;
    if (step_ == Step::breaking) {
        shown = std::string(bytes);
        text_.feed(bytes);
        tick(now_ms);
        return shown;
    }
    if (step_ == Step::confirming) {
        shown = std::string(bytes);
        take_lines(bytes, now_ms);
        tick(now_ms);
        return shown;
    }
    if (over()) return std::string(bytes);
    xmodem_receive(bytes, now_ms, shown);
    if (step_ == Step::confirming) tick(now_ms);
    return shown;
}

void ProgramSender::tick(std::int64_t now_ms) {
    if (autosave_) return autosave_->tick(now_ms);
    switch (step_) {
    case Step::breaking:
        if (!break_sent_) return;
        if (text_.at_prompt() || now_ms - last_output_ >= quiet_ms_) {
            step_ = Step::echo;
            text_.reset();
            output_ += "XMODEM RECEIVE\r";
            deadline_ = now_ms + answer_timeout_ms_;
        } else if (now_ms >= deadline_) {
            fail("The board did not come back to its prompt after Ctrl-C.");
        }
        return;
    case Step::echo:
        if (now_ms >= deadline_)
            fail("The board did not echo the XMODEM command within " +
                 std::to_string(answer_timeout_ms_ / 1000) + " s.");
        return;
    case Step::transfer:
        sender_->tick(now_ms);
        if (sender_->state() == xmodem::State::failed) fail("XMODEM: " + sender_->failure() + ".");
        return;
    case Step::confirming:
        if (!saved_.empty() &&
            (text_.at_prompt() || (!text_.partial().empty() && now_ms - last_output_ >= quiet_ms_)))
            step_ = Step::done;
        else if (now_ms >= deadline_)
            fail("The board did not confirm the program with \"Saved … bytes\" after the "
                 "transfer. It may not have stored it.");
        return;
    case Step::done:
    case Step::failed:
        return;
    }
}

std::int64_t ProgramSender::next_tick(std::int64_t now_ms) const {
    if (autosave_) return autosave_->next_tick(now_ms);
    return now_ms + 20;
}
