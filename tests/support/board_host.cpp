// The pty pair and the event-loop glue around the board model.
#include "support/board_host.h"

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

BoardHost::BoardHost(BoardConfig config) : board_(config) {
    termios raw{};
    ::cfmakeraw(&raw);
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) return;
    path_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { on_readable(); });
    clock_.start();
    connect(&ticker_, &QTimer::timeout, this, [this] {
        answer(board_.tick(clock_.elapsed()));
        flush();
    });
    ticker_.setTimerType(Qt::PreciseTimer);
    ticker_.start(1); // the board takes bytes at its own pace: often enough for 115,200 baud
    answer(board_.start());
}

BoardHost::~BoardHost() {
    vanish();
    if (slave_ >= 0) ::close(slave_);
}

void BoardHost::vanish() {
    notifier_.reset();
    ticker_.stop();
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void BoardHost::on_readable() {
    char buffer[4096];
    std::size_t before = received_.size();
    while (master_ >= 0) {
        ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got <= 0) break;
        std::string bytes(buffer, static_cast<std::size_t>(got));
        received_ += bytes;
        answer(board_.receive(bytes, clock_.elapsed()));
    }
    flush();
    if (received_.size() != before && on_received) on_received(received_.size());
}

void BoardHost::answer(const std::string& bytes) {
    pending_ += bytes;
}

void BoardHost::print(const std::string& bytes) {
    answer(bytes);
    flush();
}

void BoardHost::flush() {
    while (master_ >= 0 && !pending_.empty()) {
        ssize_t put = ::write(master_, pending_.data(), pending_.size());
        if (put <= 0) break; // full: the ticker tries again
        sent_count_ += static_cast<std::size_t>(put);
        pending_.erase(0, static_cast<std::size_t>(put));
    }
}
