// The AUTOSAVE transfer, paced and checked by the board's echo.
#include "device/program_transfer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char ctrl_c = 0x03;
constexpr char ctrl_z = 0x1A;

bool kept_by_board(unsigned char c) {
    return (c >= 0x20 && c <= 0x7E) || c == '\t';
}

} // namespace

AutosaveTransfer::AutosaveTransfer(std::string program, AutosaveOptions options,
                                   std::int64_t now_ms)
    : program_(std::move(program)), options_(options), last_output_(now_ms),
      deadline_(now_ms + options.answer_timeout_ms) {
    // A line typed half-way, or a program running, would take the command: Ctrl-C clears both.
    output_.push_back(ctrl_c);
}

std::string AutosaveTransfer::take_output() {
    if (phase_ == Phase::breaking && !break_sent_ && !output_.empty()) {
        // Only what the board prints after it took Ctrl-C tells that it is at its prompt.
        break_sent_ = true;
        text_.reset();
    }
    return std::exchange(output_, {});
}

void AutosaveTransfer::fail(std::string why, long line) {
    if (over()) return;
    phase_ = Phase::failed;
    failure_ = std::move(why);
    failed_line_ = line;
}

void AutosaveTransfer::cancel() {
    if (over()) return;
    output_.push_back(ctrl_c);
    fail("Sending was cancelled.", 0);
}

long AutosaveTransfer::line_at(std::size_t position) const {
    position = std::min(position, program_.size());
    return 1 +
           static_cast<long>(std::count(
               program_.begin(), program_.begin() + static_cast<std::ptrdiff_t>(position), '\r'));
}

bool AutosaveTransfer::prompt_shown(std::int64_t now_ms) const {
    return text_.at_prompt() ||
           (!text_.partial().empty() && now_ms - last_output_ >= options_.quiet_ms);
}

void AutosaveTransfer::receive(std::string_view bytes, std::int64_t now_ms) {
    if (over() || bytes.empty()) return;
    last_output_ = now_ms;
    if (phase_ == Phase::sending && !mismatch_) {
        match_echo(bytes, now_ms);
        tick(now_ms);
        return;
    }
    for (const std::string& line : text_.feed(bytes)) {
        std::string message;
        if (board_error_message(line, message)) {
            board_message_ = message;
            long at = phase_ == Phase::sending ? line_at(confirmed_) : 0;
            if (phase_ == Phase::sending || phase_ == Phase::storing) output_.push_back(ctrl_c);
            fail("The board answered \"Error : " + message + "\"" +
                     (at > 0 ? " at line " + std::to_string(at) + " of the program." : "."),
                 at);
            return;
        }
        if (phase_ == Phase::entering && console_trim(line).ends_with("AUTOSAVE")) {
            echo_seen_ = true;
            deadline_ = now_ms + options_.enter_confirm_ms;
        }
        if (phase_ == Phase::storing && line.starts_with("Saved ")) saved_ = line;
    }
    tick(now_ms);
}

void AutosaveTransfer::match_echo(std::string_view bytes, std::int64_t now_ms) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char got = bytes[i];
        bool fits = false;
        if (line_feed_due_) {
            fits = got == '\n';
            if (fits) {
                line_feed_due_ = false;
                ++confirmed_;
            }
        } else if (confirmed_ < sent_) {
            char want = program_[confirmed_];
            if (want == '\r') {
                fits = got == '\r';
                line_feed_due_ = fits;
            } else {
                fits = got == want || (want == '\t' && got == ' ');
                if (fits) ++confirmed_;
            }
        }
        if (!fits) {
            // Not the echo: the board says something (an error, most likely) or bytes went
            // missing. Ctrl-C at once, so that what is still in its ring never runs as commands.
            mismatch_ = true;
            output_.push_back(ctrl_c);
            text_.reset();
            deadline_ = now_ms + std::max(options_.quiet_ms * 2, 500);
            receive(bytes.substr(i), now_ms);
            return;
        }
    }
    deadline_ = now_ms + options_.answer_timeout_ms;
}

void AutosaveTransfer::send_more(std::int64_t now_ms) {
    while (sent_ < program_.size() && sent_ - confirmed_ < options_.window &&
           now_ms >= next_send_) {
        char c = program_[sent_++];
        output_.push_back(c);
        int pause = c == '\r' ? options_.line_delay_ms : options_.char_delay_ms;
        if (pause > 0) next_send_ = now_ms + pause;
    }
}

void AutosaveTransfer::tick(std::int64_t now_ms) {
    switch (phase_) {
    case Phase::done:
    case Phase::failed:
        return;
    case Phase::breaking:
        if (!break_sent_) return;
        if (text_.at_prompt() || now_ms - last_output_ >= options_.quiet_ms) {
            phase_ = Phase::entering;
            text_.reset();
            output_ += "AUTOSAVE\r";
            deadline_ = now_ms + options_.answer_timeout_ms;
        } else if (now_ms >= deadline_) {
            fail("The board did not come back to its prompt after Ctrl-C: is a program running "
                 "that ignores the break key?",
                 0);
        }
        return;
    case Phase::entering:
        if (echo_seen_ && now_ms >= deadline_ && text_.partial().empty()) {
            phase_ = Phase::sending;
            deadline_ = now_ms + options_.answer_timeout_ms;
            send_more(now_ms);
        } else if (!echo_seen_ && now_ms >= deadline_) {
            fail("The board did not echo the AUTOSAVE command within " +
                     std::to_string(options_.answer_timeout_ms / 1000) +
                     " s: it may be busy or not a Maximite board.",
                 0);
        }
        return;
    case Phase::sending:
        if (mismatch_) {
            if (now_ms >= deadline_)
                fail("The board's echo differs from the program at line " +
                         std::to_string(line_at(confirmed_)) +
                         ": bytes were lost or changed on the way. The board keeps its old "
                         "program.",
                     line_at(confirmed_));
            return;
        }
        if (confirmed_ == program_.size() && !line_feed_due_) {
            phase_ = Phase::storing;
            text_.reset();
            output_.push_back(ctrl_z);
            deadline_ = now_ms + options_.answer_timeout_ms;
            return;
        }
        send_more(now_ms);
        if (sent_ > confirmed_ && now_ms >= deadline_) {
            output_.push_back(ctrl_c);
            fail("The board stopped echoing the program at line " +
                     std::to_string(line_at(confirmed_)) + " (nothing for " +
                     std::to_string(options_.answer_timeout_ms / 1000) +
                     " s). The board keeps its old program.",
                 line_at(confirmed_));
        }
        return;
    case Phase::storing:
        if (!saved_.empty() && prompt_shown(now_ms)) {
            phase_ = Phase::done;
        } else if (now_ms >= deadline_) {
            fail(saved_.empty() ? "The board did not confirm the program with \"Saved … bytes\" "
                                  "within " +
                                      std::to_string(options_.answer_timeout_ms / 1000) +
                                      " s. It may not have stored it."
                                : "The board stored the program but did not show its prompt.",
                 0);
        }
        return;
    }
}

std::int64_t AutosaveTransfer::next_tick(std::int64_t now_ms) const {
    if (over()) return now_ms + 1000;
    std::int64_t next = deadline_;
    if (phase_ == Phase::breaking || phase_ == Phase::storing)
        next = std::min(next, last_output_ + options_.quiet_ms);
    if (phase_ == Phase::sending && sent_ < program_.size()) next = std::min(next, next_send_);
    return std::max(next, now_ms);
}

AutosaveCheck check_for_autosave(std::string_view utf8_text, std::size_t memory) {
    AutosaveCheck check;
    long line = 1;
    std::size_t length = 0;
    auto end_line = [&] {
        if (length >= 255) {
            ++check.long_lines;
            if (check.first_long_line == 0) check.first_long_line = line;
        }
        check.longest = std::max(check.longest, length);
        check.size += length + 1;
        length = 0;
        ++line;
    };
    for (std::size_t i = 0; i < utf8_text.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8_text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8_text.size() && utf8_text[i + 1] == '\n') ++i;
            end_line();
        } else if (kept_by_board(c)) {
            ++length;
        } else if (c < 0x80 || c >= 0xC0) { // a control character, or a character from U+0080
            ++check.dropped;
            if (check.first_dropped_line == 0) check.first_dropped_line = line;
        }
    }
    if (length > 0) end_line();
    check.too_large = memory > 0 && check.size > memory;
    return check;
}

std::string autosave_program(std::string_view utf8_text) {
    std::string out;
    out.reserve(utf8_text.size() + 1);
    for (std::size_t i = 0; i < utf8_text.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8_text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8_text.size() && utf8_text[i + 1] == '\n') ++i;
            out.push_back('\r');
        } else if (kept_by_board(c)) {
            out.push_back(static_cast<char>(c));
        }
    }
    if (!out.empty() && out.back() != '\r') out.push_back('\r');
    return out;
}
