// One program going to the board, by AUTOSAVE or by XMODEM into program memory, as a state
// machine over the console's bytes: what to type, what of the board's output to show on the
// console (not XMODEM's blocks and answers), and when it is over, with the board's own words
// when it refused. Success means the board confirmed it: "Saved N bytes" and its prompt.
#pragma once

#include "device/console_text.h"
#include "device/program_transfer.h"
#include "device/xmodem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class ProgramSender {
  public:
    // `program`: for AUTOSAVE as autosave_program() makes it; for XMODEM the file's bytes.
    static std::unique_ptr<ProgramSender> by_autosave(std::string program, AutosaveOptions options,
                                                      std::int64_t now_ms);
    static std::unique_ptr<ProgramSender> by_xmodem(std::string program, xmodem::Timing timing,
                                                    int answer_timeout_ms, std::int64_t now_ms);

    // The board's output; returns what of it belongs on the console.
    std::string receive(std::string_view bytes, std::int64_t now_ms);
    void tick(std::int64_t now_ms);
    std::string take_output();
    void cancel();

    bool over() const;
    bool ok() const;
    const std::string& failure() const;
    long failed_line() const;
    int progress() const; // 0 to 1000
    std::int64_t next_tick(std::int64_t now_ms) const;

  private:
    enum class Step { breaking, echo, transfer, confirming, done, failed };
    ProgramSender() = default;
    void fail(std::string why);
    void xmodem_receive(std::string_view bytes, std::int64_t now_ms, std::string& shown);
    bool take_lines(std::string_view bytes, std::int64_t now_ms);

    std::unique_ptr<AutosaveTransfer> autosave_;
    std::unique_ptr<xmodem::Sender> sender_;
    // XMODEM's own steps around the sender.
    Step step_ = Step::breaking;
    std::string output_;
    std::string failure_;
    std::string saved_;
    ConsoleText text_;
    int answer_timeout_ms_ = 5000;
    int quiet_ms_ = 300;
    bool started_ = false; // the board asked for the first block
    bool break_sent_ = false;
    std::int64_t last_output_ = 0;
    std::int64_t deadline_ = 0;
};
