// Sending a program by the firmware's AUTOSAVE command, as a state machine over bytes: it types
// Ctrl-C and waits for the prompt, types AUTOSAVE and waits for its echo, then sends the program
// no further ahead of the board's echo than a small window (the echo is how the board says it
// took the bytes; a board of the older firmware throws bytes away once its receive ring is full),
// compares every echoed byte with what was sent, ends with Ctrl-Z and reports success only after
// "Saved N bytes" and the prompt. An error line, a byte the echo does not confirm, or silence
// stops it with Ctrl-C, which keeps the board's old program. No clock and no port: the caller
// feeds the console's output and the time, and drains the bytes to send.
#pragma once

#include "device/console_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct AutosaveOptions {
    std::size_t window = 160;     // bytes sent ahead of the echo; the board's ring holds 256
    int char_delay_ms = 0;        // extra pauses a user may set, after each character
    int line_delay_ms = 0;        // and after each line
    int answer_timeout_ms = 5000; // for each answer, and for echo that stops coming
    int quiet_ms = 300;           // a prompt of the program's own (SUB MM.PROMPT) shows as silence
    int enter_confirm_ms = 100;   // after the command's echo, the time an error would take
};

class AutosaveTransfer {
  public:
    enum class Phase { breaking, entering, sending, storing, done, failed };

    // `program`: 8-bit text, CR line ends, only bytes the board keeps (see autosave_program).
    AutosaveTransfer(std::string program, AutosaveOptions options, std::int64_t now_ms);

    void receive(std::string_view bytes, std::int64_t now_ms);
    // Sends what may go now and checks the time limits.
    void tick(std::int64_t now_ms);
    std::string take_output();
    // Ends the transfer at once with Ctrl-C.
    void cancel();

    Phase phase() const { return phase_; }
    bool over() const { return phase_ == Phase::done || phase_ == Phase::failed; }
    // Why it failed, in words for the user, with the board's own message when it gave one.
    const std::string& failure() const { return failure_; }
    // The board's message when it refused, else empty.
    const std::string& board_message() const { return board_message_; }
    // The line of the program the board was taking when it stopped, 1-based; 0 for none.
    long failed_line() const { return failed_line_; }
    // The "Saved N bytes" line of a transfer that succeeded.
    const std::string& saved_report() const { return saved_; }
    std::size_t confirmed() const { return confirmed_; }
    std::size_t total() const { return program_.size(); }
    // When tick() has something to do next, for a timer.
    std::int64_t next_tick(std::int64_t now_ms) const;

  private:
    void fail(std::string why, long line);
    void send_more(std::int64_t now_ms);
    void match_echo(std::string_view bytes, std::int64_t now_ms);
    void check_refusal(std::int64_t now_ms);
    bool prompt_shown(std::int64_t now_ms) const;
    long line_at(std::size_t position) const;

    std::string program_;
    AutosaveOptions options_;
    Phase phase_ = Phase::breaking;
    std::string output_;
    std::string failure_;
    std::string board_message_;
    std::string saved_;
    long failed_line_ = 0;
    ConsoleText text_;
    std::size_t sent_ = 0;
    std::size_t confirmed_ = 0;
    bool line_feed_due_ = false;   // a CR was echoed; its LF comes next
    bool echo_seen_ = false;       // entering: the command's echo has arrived
    bool break_sent_ = false;      // breaking: Ctrl-C went out; only the prompt after it counts
    bool mismatch_ = false;        // sending: the echo went astray; reading why
    std::int64_t last_output_ = 0; // when the board last printed something
    std::int64_t next_send_ = 0;   // pacing floor
    std::int64_t deadline_ = 0;    // for the answer awaited now
};

// What the board would refuse or drop in a program: lines of 255 characters or more (AUTOSAVE
// ends with "Not enough memory"), characters other than printable ASCII and TAB (dropped, and
// some of them end the transfer early), and a program larger than the board's memory.
struct AutosaveCheck {
    long first_long_line = 0; // 1-based, 0 for none
    std::size_t long_lines = 0;
    std::size_t longest = 0;
    long first_dropped_line = 0;
    std::size_t dropped = 0; // characters
    std::size_t size = 0;    // bytes the board would receive
    bool too_large = false;
};
// `utf8_text` as in the editor; `memory` is the board's program memory in bytes, 0 when not known.
AutosaveCheck check_for_autosave(std::string_view utf8_text, std::size_t memory = 0);

// The program as AUTOSAVE receives it: 8-bit text, each line end one CR, a last line end added,
// and only printable ASCII and TAB kept (the rest the board would drop or stop at).
std::string autosave_program(std::string_view utf8_text);
