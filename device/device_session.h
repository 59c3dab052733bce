// The connection to a board, or to a local interpreter, and everything that goes over it: the
// console screen, typed keys, sending a program, running it and catching its errors. One per
// running editor, owned by App. Nothing here blocks: the link reports by signal and every wait
// is a timer. Nothing here changes a document.
#pragma once

#include "device/console_text.h"
#include "device/device_context.h"
#include "device/error_capture.h"
#include "device/program_sender.h"
#include "device/serial_ports.h"
#include "device/terminal_screen.h"
#include "device/xmodem.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DeviceLink;
class LocalRun;
class QLabel;
class QProgressDialog;
class QSplitter;
class QTimer;
class QWidget;
class TerminalPanel;

struct ConnectionChoice {
    std::string port;
    int speed = 115200;
    int char_delay = 0;
    int line_delay = 0;
};

// One error the board reported.
struct DeviceError {
    std::string time;    // "hh:mm:ss" when it was caught
    std::string file;    // path of the document that was sent (or current), may be empty
    long line = 0;       // 1-based
    std::string message; // UTF-8
};

enum class LinkState { closed, connected, reconnecting, local };

class DeviceSession : public QObject {
    Q_OBJECT
  public:
    explicit DeviceSession(DeviceContext context);
    ~DeviceSession() override;

    // The records and widgets the session works with.
    const DeviceContext& context() const { return context_; }

    // Asks which port to open (over `parent`, from the stored values); the connection dialog
    // unless tests put their own here.
    std::function<std::optional<ConnectionChoice>(QWidget* parent, Settings& settings)>
        choose_connection;
    // Limits, short in tests.
    xmodem::Timing xmodem_timing = xmodem::board_timing();
    int answer_timeout_ms = 5000; // for each answer of the board during a send
    int quiet_ms = 300;           // a prompt of the program's own shows as this much silence
    int reconnect_interval_ms = 1000;
    // The serial ports the system has now; tests list their own.
    std::function<std::vector<PortEntry>()> list_ports;

    // ---- the link ----
    // Opens the port and shows the panel; a message box says why when it cannot.
    bool connect_to(const ConnectionChoice& choice);
    void disconnect();
    LinkState state() const { return state_; }
    const std::string& port() const { return port_; }
    // Bytes to the board (typed keys); ignored while a transfer owns the link. After Ctrl-C
    // they wait for the prompt: the board throws away what comes right after it.
    void send_keys(const QByteArray& bytes);
    // The speeds a port may be opened at: never 1200, which reboots a USB board into its
    // firmware loader.
    static bool speed_allowed(int speed) { return speed > 0 && speed != 1200; }

    // ---- programs ----
    // Sends the current document by AUTOSAVE (or XMODEM) and then, when asked, RUN. A program
    // with #INCLUDE lines is sent merged with its files; the board's errors are traced back.
    void send_program(bool by_xmodem, bool run_after);
    // Whether a send, a run or a stop can start now.
    bool can_send() const;
    bool can_stop() const;
    bool transferring() const { return transfer_ != nullptr; }
    void cancel_transfer();
    // Progress of the running transfer, 0 to 1000.
    int transfer_progress() const;
    void run_program();
    void stop_program(); // Ctrl+C
    // Runs the current document with the local interpreter in the panel.
    void run_locally();
    void stop_local();

    // ---- what came back ----
    TerminalScreen& screen() { return screen_; }
    TerminalPanel* panel() const;
    const std::vector<DeviceError>& errors() const { return errors_; }
    // Activates the error's document, goes to its line and marks it.
    void jump_to_error(std::size_t index);
    void clear_terminal();
    void show_panel();
    void hide_panel();
    // The panel's view holds `columns` x `rows`: the screen takes that size and so does a local
    // run's pseudo-terminal.
    void resize_terminal(int columns, int rows);
    // How many bytes came in since the session started.
    std::size_t bytes_received() const { return bytes_received_; }

    // The connected board's program memory in bytes, as its identity tells; 0 when not known.
    // A program larger than this is refused before it is sent.
    std::size_t program_memory = 0;
    // A last look at the program (as it would be sent, includes merged) before it goes; false
    // stops the send. The board's files warn here about words of other boards.
    std::function<bool(const std::string& text)> before_send;

    // Called when the error list changes; the Error Log window sets it.
    std::function<void()> on_errors_changed;

    // ---- another user of the link (the board's files) ----
    // While a link job runs, the board's output goes to it instead of the console, typed keys
    // and sends wait, and a lost link is told to it. False when the link is closed or busy.
    struct LinkJob {
        std::function<void(const std::string&)> bytes;
        std::function<void()> lost;
    };
    bool start_link_job(LinkJob job);
    void end_link_job() { job_.reset(); }
    bool link_job_running() const { return job_.has_value(); }
    void write_to_board(const std::string& bytes);
    std::int64_t clock_ms() const { return now_ms(); }
    // Called when the link's state may have changed (connected, lost, closed).
    std::function<void()> on_state_changed;
    // Whether the console's cursor stands after the board's prompt "> " (no program running).
    bool shows_prompt() const;

  private:
    struct Transfer {
        bool run_after = false;
        std::unique_ptr<ProgramSender> sender;
    };
    static constexpr int transfer_poll_ms = 20;

    std::int64_t now_ms() const { return clock_.elapsed(); }
    void attach(std::unique_ptr<DeviceLink> link);
    void on_ready_read();
    void on_lost(const QString& why);
    void try_reconnect();
    void show_output(const QByteArray& bytes);
    void catch_errors(const QByteArray& bytes);
    void schedule_repaint();
    void update_status();
    void write(const QByteArray& bytes);

    void transfer_bytes(const QByteArray& bytes);
    void transfer_tick();
    void flush_transfer();
    // By value: the failure text belongs to the transfer, which ends here.
    void finish_transfer(bool ok, std::string failure, long failed_line);
    void watch_prompt(const QByteArray& bytes);
    void prompt_seen();
    void add_error(const CapturedError& error);
    void mark_error_line(long line);
    void end_transfer();
    void set_progress(int value);

    DeviceContext context_;
    LinkState state_ = LinkState::closed;
    std::string port_;
    // The connected port as the system listed it, to know the board again under another name.
    PortEntry board_port_;
    int speed_ = 115200;
    std::unique_ptr<DeviceLink> link_;
    std::unique_ptr<LocalRun> local_;
    TerminalScreen screen_;
    ErrorCapture capture_;
    std::vector<DeviceError> errors_;
    std::string last_sent_path_;
    std::string last_sent_text_; // the program as sent, when it was merged or holds merged files
    bool last_sent_merged_ = false;
    bool jump_to_next_error_ = false;
    ConsoleText console_; // the console's lines, for the prompt
    std::int64_t last_output_ms_ = 0;
    bool awaiting_prompt_ = false; // typed keys wait: Ctrl-C was sent, or RUN is due
    bool run_at_prompt_ = false;
    QByteArray held_keys_;
    std::unique_ptr<Transfer> transfer_;
    std::optional<LinkJob> job_;
    QElapsedTimer clock_;
    std::size_t bytes_received_ = 0;

    QPointer<TerminalPanel> panel_;
    QPointer<QSplitter> vertical_;
    QPointer<QLabel> status_;
    QPointer<QProgressDialog> progress_;
    std::unique_ptr<QTimer> repaint_timer_;
    std::unique_ptr<QTimer> reconnect_timer_;
    std::unique_ptr<QTimer> transfer_timer_;
};

// Asks for a port and connects to it; with a link already open, shows its console again.
void connect_to_chosen_board(DeviceSession& session);
