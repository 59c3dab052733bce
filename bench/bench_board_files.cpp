// The board file operations over a simulated 115,200 baud serial link, on a simulated clock:
// every byte takes 86.8 us on the wire in its direction, the simulated board answers as its
// firmware does (FILES with its pauses, XMODEM with its waits). The reference is the link's
// own time for the bytes that matter: the listing's bytes for FILES, XMODEM's blocks and
// acknowledgements for a transfer. The ratio shows what the protocol's turnarounds and waits
// cost on top.
#include "timing.h"

#include "boardfiles/board_queue.h"
#include "support/board_model.h"
#include "base/file_io.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr double byte_us = 10.0 * 1e6 / 115200.0;

// One direction of the wire: bytes arrive one after another, each 86.8 us after the last.
struct Wire {
    std::deque<std::pair<double, char>> flying;
    double free_at = 0;
    std::size_t carried = 0;
    void send(const std::string& bytes, double now_us) {
        for (char c : bytes) {
            free_at = std::max(free_at, now_us) + byte_us;
            flying.emplace_back(free_at, c);
        }
        carried += bytes.size();
    }
    std::string arrived(double now_us) {
        std::string out;
        while (!flying.empty() && flying.front().first <= now_us) {
            out.push_back(flying.front().second);
            flying.pop_front();
        }
        return out;
    }
};

struct Measured {
    double link_ms = 0; // simulated time until the queue was done
    double wall_ms = 0;
    std::size_t to_board = 0, to_host = 0;
    std::vector<BoardOutcome> outcomes;
};

Measured run(BoardQueue& queue, BoardModel& board) {
    Measured m;
    Wire up, down;
    auto wall = std::chrono::steady_clock::now();
    double now_us = 0;
    down.send(board.start(), 0);
    constexpr double step_us = 50;
    while (!queue.idle() || !up.flying.empty()) {
        auto now_ms = static_cast<std::int64_t>(now_us / 1000);
        queue.receive(down.arrived(now_us), now_ms);
        queue.tick(now_ms);
        up.send(queue.take_output(), now_us);
        std::string at_board = up.arrived(now_us);
        std::string answer = board.receive(at_board, now_ms);
        answer += board.tick(now_ms);
        down.send(answer, now_us);
        now_us += step_us;
        if (now_us > 600e6) throw std::runtime_error("board files: no end in 600 s");
    }
    m.link_ms = now_us / 1000;
    m.wall_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
    m.to_board = up.carried;
    m.to_host = down.carried;
    for (BoardOutcome& o : queue.take_outcomes()) {
        if (!o.ok) throw std::runtime_error("board files: " + o.failure);
        m.outcomes.push_back(std::move(o));
    }
    return m;
}

std::string tail(const Measured& m) {
    char text[160];
    std::snprintf(text, sizeof text,
                  " (simulated; %zu bytes to the board, %zu back; %.0f ms of CPU)", m.to_board,
                  m.to_host, m.wall_ms);
    return text;
}

std::string temp_file(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("zell-bench-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// XMODEM's own bytes for `size` bytes of data in the checksum variant: per block SOH, number,
// its complement, 128 bytes and the sum, and the ACK; EOT and its ACK at the end.
double xmodem_link_ms(std::size_t size) {
    std::size_t blocks = (size + 127) / 128;
    return static_cast<double>(blocks * (132 + 1) + 2) * byte_us / 1000;
}

} // namespace

std::string bench_board_list_500() {
    BoardModel board;
    for (int i = 0; i < 500; ++i)
        board.files()["program_" + std::to_string(1000 + i) + ".bas"] = std::string(i * 3, 'x');
    BoardQueue queue;
    BoardRequest list;
    list.kind = BoardRequest::Kind::list;
    queue.add(list);
    Measured m = run(queue, board);
    if (m.outcomes.at(0).listing.entries.size() != 500)
        throw std::runtime_error("board_list_500: entries missing");
    // The listing's bytes: everything the board printed for it, pauses and their erasing too.
    double reference = static_cast<double>(m.to_host) * byte_us / 1000;
    return bench_line("board_list_500", m.link_ms, reference) + tail(m);
}

std::string bench_board_upload_200k() {
    const std::size_t size = 200 * 1024;
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + (i >> 8));
    std::string local = temp_file("up.bin");
    write_file_safely(local, bytes);
    BoardConfig config;
    config.card = true;
    BoardModel board(config);
    BoardQueue queue;
    BoardRequest up;
    up.kind = BoardRequest::Kind::upload;
    up.name = "B:/up.bin";
    up.local = local;
    queue.add(up);
    Measured m = run(queue, board);
    std::filesystem::remove(local);
    if (board.drives().drive('B').files["up.bin"].substr(0, size) != bytes)
        throw std::runtime_error("board_upload_200k: the board holds other bytes");
    return bench_line("board_upload_200k", m.link_ms, xmodem_link_ms(size)) + tail(m);
}

std::string bench_board_download_200k() {
    const std::size_t size = 200 * 1024;
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 11 + (i >> 8));
    BoardModel board;
    board.files()["down.bin"] = bytes;
    std::string local = temp_file("down.bin");
    BoardQueue queue;
    BoardRequest down;
    down.kind = BoardRequest::Kind::download;
    down.name = "down.bin";
    down.local = local;
    down.size = static_cast<std::int64_t>(size);
    queue.add(down);
    Measured m = run(queue, board);
    bool same = read_whole_file(local).bytes == bytes;
    std::filesystem::remove(local);
    if (!same) throw std::runtime_error("board_download_200k: the file differs");
    return bench_line("board_download_200k", m.link_ms, xmodem_link_ms(size)) + tail(m);
}
