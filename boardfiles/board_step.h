// One command at the board's prompt as a state machine over the console's bytes and time: it
// breaks in with Ctrl-C when asked (and waits for the prompt), types the line, waits for its
// echo, then either collects the lines the board prints up to its next prompt (answering
// FILES's "PRESS ANY KEY ..." pauses) or runs an XMODEM transfer (an upload after
// XMODEM RECEIVE "name", a download after XMODEM SEND ["name"]) and waits for the prompt after
// it. An "Error : ..." line from the board ends it with the board's own words.
#pragma once

#include "device/console_text.h"
#include "device/xmodem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct BoardStepTiming {
    int answer_timeout_ms = 5000; // for the prompt, the echo and each line of an answer
    int quiet_ms = 500;           // a line that is not "> " ends an answer after this silence
    xmodem::Timing xmodem = xmodem::board_timing();
};

class BoardStep {
  public:
    enum class Transfer { none, upload, download };
    // The prompt takes lines of at most this many characters and drops the rest.
    static constexpr std::size_t max_line = 254;

    BoardStep(std::string command, bool break_first, BoardStepTiming timing, std::int64_t now_ms);
    // An upload: `payload` goes by XMODEM once the board echoed `command`.
    void upload(std::string payload);
    // A download: the board's blocks are collected once it echoed `command`. `check` is the
    // variant asked for: a checksum (NAK) works with every firmware.
    void download(xmodem::Check check = xmodem::Check::checksum);

    // The board's output; returns it, or for a transfer what of it is console text.
    std::string receive(std::string_view bytes, std::int64_t now_ms);
    void tick(std::int64_t now_ms);
    std::string take_output();
    void cancel();
    // The link is gone: the step fails at once.
    void link_lost();

    bool over() const { return phase_ == Phase::done || phase_ == Phase::failed; }
    bool ok() const { return phase_ == Phase::done; }
    const std::string& failure() const { return failure_; }
    // Whether the board was seen back at its prompt at the end.
    bool at_prompt() const { return at_prompt_; }
    // The lines the board printed after the echo (for a command without transfer).
    const std::vector<std::string>& lines() const { return lines_; }
    // A download's bytes as received, padding included.
    std::string data() const;
    // For transfers: blocks done so far and (for an upload) in all.
    std::size_t blocks_done() const;
    std::size_t blocks_total() const;

  private:
    enum class Phase { breaking, echo, answer, transfer, closing, done, failed };
    void fail(std::string why);
    void start(std::int64_t now_ms);
    void take_lines(const std::vector<std::string>& lines, std::int64_t now_ms);
    void transfer_bytes(std::string_view bytes, std::int64_t now_ms, std::string& shown);
    void check_transfer(std::int64_t now_ms);
    void finish_at_prompt();

    std::string command_;
    BoardStepTiming timing_;
    Transfer transfer_ = Transfer::none;
    std::string payload_;
    xmodem::Check check_ = xmodem::Check::checksum;
    std::unique_ptr<xmodem::Sender> sender_;
    std::unique_ptr<xmodem::Receiver> receiver_;
    Phase phase_;
    std::string output_;
    std::string failure_;
    ConsoleText text_;
    std::vector<std::string> lines_;
    bool paused_ = false; // "PRESS ANY KEY ..." was answered and not yet erased
    bool at_prompt_ = false;
    std::int64_t last_output_ = 0;
    std::int64_t deadline_ = 0;
};
