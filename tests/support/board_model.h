// A simulated board for the tests: answers bytes the way the firmware's console does. Plain
// C++ over bytes and an explicit clock; the GUI tests put it on the far side of a pty.
//
// Console: prompt "> ", typed characters echoed, commands on CR:
//   AUTOSAVE        stores everything up to Ctrl+Z as the program (echoing it)
//   RUN             runs the program: PRINT "text" prints text; ERROR "msg" stops with
//                   "Error in line N: msg"; a line DO starts a loop only Ctrl+C stops
//   XMODEM RECEIVE  (or XMODEM R) receives the program by XMODEM-CRC
//   NEW, LIST       clear or list the program
// Ctrl+C stops a running program and abandons an AUTOSAVE (the stored program stays).
#pragma once

#include "device/xmodem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct BoardConfig {
    enum class XmodemFault { none, lose_block, corrupt_block, cancel };
    XmodemFault fault = XmodemFault::none;
    int fault_block = 2; // the block number the fault hits, once
    bool silent = false; // a board that never answers
    xmodem::Timing timing;
};

class BoardModel {
  public:
    explicit BoardModel(BoardConfig config = {});
    ~BoardModel();

    // The first prompt, as a board shows after reset.
    std::string start() const { return config_.silent ? "" : "> "; }
    // Bytes from the host; returns the board's answer.
    std::string receive(std::string_view bytes, std::int64_t now_ms);
    // Time passing: a running loop or an XMODEM transfer may have something to say.
    std::string tick(std::int64_t now_ms);

    // The program as stored: 8-bit text, CR line ends, as AUTOSAVE or XMODEM delivered it.
    const std::string& program() const { return program_; }
    bool running() const { return mode_ == Mode::running; }
    bool receiving() const { return mode_ == Mode::xmodem; }
    const std::string& xmodem_failure() const { return xmodem_failure_; }
    int autosaves() const { return autosaves_; }

  private:
    enum class Mode { console, autosave, running, xmodem };

    void command(std::string line, std::string& out);
    void run(std::string& out);
    void xmodem_bytes(std::string_view bytes, std::int64_t now_ms, std::string& out);
    void finish_xmodem(std::string& out);

    BoardConfig config_;
    Mode mode_ = Mode::console;
    std::string input_;
    std::string collected_;
    std::string program_;
    long loop_line_ = 0;
    std::int64_t now_ = 0;
    int autosaves_ = 0;
    std::unique_ptr<xmodem::Receiver> receiver_;
    std::string frame_buffer_;
    bool fault_done_ = false;
    std::string xmodem_failure_;
};
