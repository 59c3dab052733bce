// A simulated board for the tests: a PicoMite's console as its firmware behaves (6.00.03, with
// the receive ring that throws bytes away when full, or 6.03), byte for byte. Plain C++ over
// bytes and an explicit clock; the GUI tests put it on the far side of a pty.
//
// What it does:
//   - a 256-byte receive ring the board takes bytes from at its own pace (per byte and per
//     stored line); on 6.00.03 a full ring throws the oldest byte away, on 6.03 the USB link
//     holds the rest; Ctrl-C empties the ring and returns to the prompt (bytes that come with
//     it are thrown away too);
//   - the prompt "> " (after "\r\n" when the cursor is not in column 1; 6.03 adds ESC[?7h),
//     echo of typed characters, lines of at most 254 characters, CR or LF ending a line;
//   - AUTOSAVE as the firmware takes it (kept and dropped bytes, echo, Ctrl-Z / F1 / F2, the
//     255-character limit and program memory, "Saved N bytes");
//   - RUN of a small subset (PRINT "text", ERROR "msg", division by zero, DO for a loop only
//     Ctrl-C ends, END, duplicate SUB names), errors as "[N] line" then "Error : message";
//   - XMODEM RECEIVE / SEND with the checksum variant (6.03's sender takes 'C' as well), the
//     board's timings, "Saved N bytes" after a receive into program memory;
//   - the drives A: and B: (board_drives.h) with FILES and its pauses, PRINT MM.DEVICE$ / MM.VER,
//     OPTION LIST; a drive that fills up during an XMODEM receive ends it with an error;
//   - a board that vanishes (unplugged): from then on it neither answers nor takes bytes.
#pragma once

#include "support/board_drives.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

struct BoardConfig {
    enum class Firmware { v6_00_03, v6_03 };
    Firmware firmware = Firmware::v6_03;
    // How fast the board takes bytes from its ring: microseconds per byte (as the link at
    // 115,200 baud would bring them: 87) and per line it stores or runs. 0: at once.
    int byte_us = 0;
    int line_us = 0;
    std::size_t ring = 256;
    std::size_t program_memory = 128 * 1024;
    bool silent = false; // a board that never answers
    bool banner = false; // starts with the banner, as after a reset
    // Faults on the XMODEM blocks the board receives, once, on block `fault_block`.
    enum class XmodemFault { none, lose_block, corrupt_block, cancel };
    XmodemFault fault = XmodemFault::none;
    int fault_block = 2;
    bool card = false; // an SD card in: drive B:
    std::string device = "PicoMite"; // what MM.DEVICE$ names
};

class BoardModel {
  public:
    explicit BoardModel(BoardConfig config = {});

    // What the board shows when the port opens: the prompt (the banner first after a reset).
    std::string start();
    // Bytes from the host; returns the board's answer.
    std::string receive(std::string_view bytes, std::int64_t now_ms);
    // Time passing: the ring drains, a transfer times out, a running loop goes on.
    std::string tick(std::int64_t now_ms);

    // The program as stored: 8-bit text, each line ended by CR.
    const std::string& program() const { return program_; }
    void set_program(std::string program) { program_ = std::move(program); }
    bool running() const { return mode_ == Mode::running; }
    bool receiving() const { return mode_ == Mode::xmodem_receive; }
    bool at_prompt() const { return mode_ == Mode::console && line_.empty(); }
    int autosaves() const { return autosaves_; }
    // Bytes thrown away because the ring was full.
    std::size_t lost() const { return lost_; }
    // The drives; files() is drive A:'s files by path from its root.
    BoardDrives& drives() { return drives_; }
    std::map<std::string, std::string>& files() { return drives_.drive('A').files; }
    // Unplugged: nothing more comes from the board, and nothing reaches it.
    void vanish() { vanished_ = true; }

  private:
    enum class Mode { console, autosave, running, xmodem_receive, xmodem_send, listing };

    void advance(std::int64_t now_ms);
    void process(char c);
    void say(std::string_view text);
    void prompt();
    void do_break();
    void command(const std::string& line);
    void console_byte(char c);
    void autosave_byte(char c);
    void end_autosave_line();
    void store_autosave(bool run_after);
    void autosave_error(const std::string& message);
    void run();
    void run_error(long number, std::string_view line, const std::string& message);
    void start_receive(const std::string& file);
    void receive_byte(std::uint8_t byte);
    void finish_receive();
    void start_send(const std::string& file);
    void send_byte(std::uint8_t byte);
    void send_block();
    void xmodem_tick();
    void list_more();
    bool v6_03() const { return config_.firmware == BoardConfig::Firmware::v6_03; }

    BoardConfig config_;
    Mode mode_ = Mode::console;
    std::string out_;
    std::deque<char> ring_;
    std::size_t lost_ = 0;
    std::int64_t now_ = 0;
    std::int64_t clock_us_ = 0; // how far the board has worked
    int column_ = 0;            // of the cursor on the host's screen
    std::string line_;          // typed at the prompt
    std::string escape_;        // a key sequence being read
    bool discard_ = false;      // Ctrl-C: the rest of this batch is thrown away
    // AUTOSAVE
    std::string collected_;
    std::string autosave_line_;
    bool autosave_echo_ = true;
    bool autosave_append_ = false;
    bool last_was_cr_ = false;
    bool first_byte_ = true;
    // the program
    std::string program_;
    int autosaves_ = 0;
    // XMODEM
    std::string xmodem_file_; // empty: program memory
    std::string frame_;
    std::string received_;
    std::uint8_t expected_ = 1;
    int requests_ = 0;
    int errors_ = 0;
    bool bad_block_ = false;
    bool eot_seen_ = false;
    bool fault_done_ = false;
    int cancels_ = 0;
    std::int64_t last_byte_ms_ = 0;
    std::int64_t next_request_ms_ = 0;
    std::string send_data_;
    std::size_t send_block_ = 0;
    bool send_started_ = false;
    bool send_crc_ = false;
    bool send_eot_ = false;
    std::int64_t send_deadline_ms_ = 0;
    // FILES
    std::vector<std::string> listing_;
    std::size_t listed_ = 0;
    BoardDrives drives_;
    char xmodem_drive_ = 'A';
    bool vanished_ = false;
};
