// The simulated board on the far side of a pseudo-terminal: the editor opens the pty's device
// path as its port; the board model answers on the master side, driven by the event loop.
#pragma once

#include "support/board_model.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class BoardHost : public QObject {
    Q_OBJECT
  public:
    explicit BoardHost(BoardConfig config = {});
    ~BoardHost() override;

    const std::string& path() const { return path_; }
    BoardModel& board() { return board_; }
    // Everything the editor sent, and everything the board answered.
    const std::string& received() const { return received_; }
    std::size_t sent_count() const { return sent_count_; }
    // Writes bytes as if the board printed them (for floods and garbage).
    void print(const std::string& bytes);
    // The board disappears: the pty is closed under the editor.
    void vanish();
    bool vanished() const { return master_ < 0; }

    // Called after each batch received, with the count so far.
    std::function<void(std::size_t)> on_received;

  private:
    void on_readable();
    void flush();
    void answer(const std::string& bytes);

    BoardModel board_;
    int master_ = -1;
    int slave_ = -1; // kept open so the master never sees a hang-up between connections
    std::string path_;
    std::string received_;
    std::string pending_;
    std::size_t sent_count_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer ticker_;
    QElapsedTimer clock_;
};
