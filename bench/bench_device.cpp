// Benchmarks of the device core: the console screen taking a flood of output, and an XMODEM
// transfer over a real pseudo-terminal pair.
#include "timing.h"

#include "device/terminal_screen.h"
#include "device/xmodem.h"

#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int runs = 3;

// About 1 MB of console output: numbered lines, colour changes, now and then a cursor move
// and a line clear, as a program printing a table would send.
std::string console_flood() {
    std::string out;
    for (int i = 0; out.size() < 1000 * 1000; ++i) {
        out += "\x1b[3" + std::to_string(i % 8) + "m" + std::to_string(i) +
               "\x1b[0m  value = " + std::to_string(i * 37 % 10007) + "  ok";
        if (i % 50 == 0) out += "\x1b[5;1H\x1b[K";
        out += "\r\n";
    }
    return out;
}

// Moves bytes from `out` to `fd` without blocking; the rest stays for the next round.
void push(int fd, xmodem::Bytes& out) {
    while (!out.empty()) {
        ssize_t put = ::write(fd, out.data(), out.size());
        if (put <= 0) return;
        out.erase(out.begin(), out.begin() + put);
    }
}

xmodem::Bytes pull(int fd) {
    xmodem::Bytes in;
    std::uint8_t buffer[4096];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        in.insert(in.end(), buffer, buffer + got);
    }
    return in;
}

struct PtyPair {
    int master = -1, slave = -1;
    PtyPair() {
        termios raw{};
        ::cfmakeraw(&raw);
        ::openpty(&master, &slave, nullptr, &raw, nullptr);
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        ::fcntl(slave, F_SETFL, O_NONBLOCK);
    }
    ~PtyPair() {
        ::close(master);
        ::close(slave);
    }
    void wait() const {
        pollfd fds[2] = {{master, POLLIN, 0}, {slave, POLLIN, 0}};
        ::poll(fds, 2, 10);
    }
};

// Sender on the slave side (the editor's end), receiver on the master side (the board's).
std::size_t xmodem_over_pty(const xmodem::Bytes& payload) {
    PtyPair pty;
    std::int64_t now = 0;
    xmodem::Sender sender(payload, {}, now);
    xmodem::Receiver receiver({}, now);
    xmodem::Bytes to_board = {}, to_host = receiver.take_output();
    while (sender.state() != xmodem::State::done && sender.state() != xmodem::State::failed) {
        push(pty.master, to_host);
        xmodem::Bytes in = pull(pty.slave);
        sender.receive(in, now);
        xmodem::Bytes out = sender.take_output();
        to_board.insert(to_board.end(), out.begin(), out.end());
        push(pty.slave, to_board);
        xmodem::Bytes at_board = pull(pty.master);
        receiver.receive(at_board, now);
        out = receiver.take_output();
        to_host.insert(to_host.end(), out.begin(), out.end());
        if (in.empty() && at_board.empty()) pty.wait();
    }
    return receiver.data().size();
}

// The same bytes through the same pty without a protocol: what the link itself allows.
std::size_t raw_over_pty(const xmodem::Bytes& payload) {
    PtyPair pty;
    xmodem::Bytes out = payload;
    std::size_t received = 0;
    while (received < payload.size()) {
        push(pty.slave, out);
        std::size_t got = pull(pty.master).size();
        received += got;
        if (got == 0) pty.wait();
    }
    return received;
}

} // namespace

// The reference splits the same bytes into lines kept in a bounded deque: the least a
// scrollback must do. The ratio is what the escape parsing and the cells cost on top.
std::string bench_terminal_1mb() {
    std::string flood = console_flood();
    double ms = best_ms(runs, [&] {
        TerminalScreen screen(100, 30, 10000);
        screen.feed(flood);
    });
    double reference = best_ms(runs, [&] {
        std::deque<std::string> lines(1);
        for (char c : flood) {
            if (c == '\n') {
                lines.emplace_back();
                if (lines.size() > 10030) lines.pop_front();
            } else {
                lines.back().push_back(c);
            }
        }
    });
    return bench_line("terminal_1mb", ms, reference);
}

// 100 KB by XMODEM over a pty, against the raw bytes over the same pty.
std::string bench_xmodem_100k_pty() {
    xmodem::Bytes payload(100 * 1024);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>("PRINT \"hello\"\r"[i % 14]);
    double ms = best_ms(runs, [&] { xmodem_over_pty(payload); });
    double reference = best_ms(runs, [&] { raw_over_pty(payload); });
    return bench_line("xmodem_100k_pty", ms, reference);
}
