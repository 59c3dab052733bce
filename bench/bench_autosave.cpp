// AUTOSAVE of a 2,000-line program (about 60 KB) over a pseudo-terminal to the simulated board
// of the older firmware, which throws bytes away once its 256-byte ring is full, taking bytes
// as a 115,200 baud link brings them and working 0.5 ms on each line. The reference is the
// link's own time for the bytes sent; the fixed pacing of 100 ms a line that sends used before
// is given beside it.
#include "timing.h"

#include "device/program_sender.h"
#include "device/program_transfer.h"
#include "support/board_model.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

void push(int fd, std::string& out) {
    while (!out.empty()) {
        ssize_t put = ::write(fd, out.data(), out.size());
        if (put <= 0) return;
        out.erase(0, static_cast<std::size_t>(put));
    }
}

std::string pull(int fd) {
    std::string in;
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        in.append(buffer, static_cast<std::size_t>(got));
    }
    return in;
}

std::string program_text() {
    std::string text;
    for (int i = 1; i <= 2000; ++i) {
        std::string line = "  PRINT \"line " + std::to_string(i) + " of the program\"";
        line.resize(29, ' ');
        text += line + "\n";
    }
    return text;
}

// Sends `text` and returns the milliseconds it took; throws when anything was lost.
double send_once(const std::string& text) {
    int master = -1, slave = -1;
    termios raw{};
    ::cfmakeraw(&raw);
    ::openpty(&master, &slave, nullptr, &raw, nullptr);
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    ::fcntl(slave, F_SETFL, O_NONBLOCK);
    BoardConfig config;
    config.firmware = BoardConfig::Firmware::v6_00_03;
    config.byte_us = 87;
    config.line_us = 500;
    BoardModel board(config);
    auto start = std::chrono::steady_clock::now();
    auto now = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    auto sender = ProgramSender::by_autosave(autosave_program(text), {}, 0);
    std::string to_host = board.start(), to_board;
    while (!sender->over()) {
        push(master, to_host);
        std::string at_host = pull(slave);
        sender->receive(at_host, now());
        sender->tick(now());
        to_board += sender->take_output();
        push(slave, to_board);
        std::string at_board = pull(master);
        to_host += board.receive(at_board, now());
        to_host += board.tick(now());
        if (at_host.empty() && at_board.empty()) {
            pollfd fds[2] = {{master, POLLIN, 0}, {slave, POLLIN, 0}};
            ::poll(fds, 2, 1);
        }
    }
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ::close(master);
    ::close(slave);
    if (!sender->ok() || board.lost() != 0 || board.program() != autosave_program(text))
        throw std::runtime_error("autosave_2000_lines: the board did not store the program (" +
                                 std::to_string(board.lost()) +
                                 " bytes lost): " + sender->failure());
    return ms;
}

} // namespace

std::string bench_autosave_2000_lines() {
    std::string text = program_text();
    double ms = best_ms(1, [&] { send_once(text); });
    const std::string program = autosave_program(text);
    const std::string stream = "AUTOSAVE\r" + program + "\x1a";
    double link_ms = static_cast<double>(stream.size()) * 10.0 / 115.2;
    const auto lines = std::count(program.begin(), program.end(), '\r');
    double old_pacing_ms = link_ms + 100.0 * static_cast<double>(lines);
    char tail[120];
    std::snprintf(tail, sizeof tail, " (%zu bytes; the old pacing of 100 ms a line: %.0f ms)",
                  stream.size(), old_pacing_ms);
    return bench_line("autosave_2000_lines", ms, link_ms) + tail;
}
