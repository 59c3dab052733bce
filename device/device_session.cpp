// The device session: link, console, transfers and errors.
#include "device/device_session.h"

#include "app/app.h"
#include "app/folders.h"
#include "app/main_window.h"
#include "device/autosave.h"
#include "device/connect_dialog.h"
#include "device/device_link.h"
#include "device/line_origin.h"
#include "device/local_run.h"
#include "device/program_sender.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/merge.h"
#include "tools/text_conversion.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int marker_error = 2;
constexpr Colour error_line_colour = 0x3030F0; // red, BBGGRR, drawn translucent
constexpr int error_line_alpha = 80;           // of 255: over white a pale red
constexpr int repaint_interval_ms = 30;
constexpr int transfer_poll_ms = 20;
constexpr int prompt_wait_ms = 2000; // how long typed keys wait for the prompt after Ctrl-C

constexpr int margin_unused = 4; // no width: it only makes the error mark drawable translucent

// The error line's mark, translucent: drawn over the caret line's background, which hides an
// opaque line mark. The editing component draws a translucent line mark only when some margin's
// mask holds it, so an unused margin of no width takes it.
void define_error_marker(QsciScintillaBase* editor) {
    sci_send(editor, Sci::SCI_MARKERDEFINE, marker_error, Sci::SC_MARK_BACKGROUND);
    sci_send(editor, Sci::SCI_MARKERSETBACK, marker_error, error_line_colour);
    sci_send(editor, Sci::SCI_MARKERSETALPHA, marker_error, error_line_alpha);
    sci_send(editor, Sci::SCI_SETMARGINMASKN, margin_unused,
             sci_send(editor, Sci::SCI_GETMARGINMASKN, margin_unused) | (1L << marker_error));
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

struct DeviceSession::Transfer {
    bool run_after = false;
    std::unique_ptr<ProgramSender> sender;
};

DeviceSession::DeviceSession(App& app)
    : choose_connection(choose_connection_by_dialog), app_(app),
      repaint_timer_(std::make_unique<QTimer>()), reconnect_timer_(std::make_unique<QTimer>()),
      transfer_timer_(std::make_unique<QTimer>()) {
    clock_.start();
    repaint_timer_->setSingleShot(true);
    connect(repaint_timer_.get(), &QTimer::timeout, this, [this] {
        if (panel_) panel_->view()->refresh();
    });
    connect(reconnect_timer_.get(), &QTimer::timeout, this, [this] { try_reconnect(); });
    transfer_timer_->setSingleShot(true);
    connect(transfer_timer_.get(), &QTimer::timeout, this, [this] { transfer_tick(); });
}

// The link's signals are cut first, so closing it reports nothing to a half-destroyed session.
DeviceSession::~DeviceSession() {
    transfer_.reset();
    if (link_) link_->disconnect(this);
}

TerminalPanel* DeviceSession::panel() const {
    return panel_.data();
}

DeviceSession& device_session(App& app) {
    if (!app.device) app.device = std::make_unique<DeviceSession>(app);
    return *app.device;
}

// ---- the link ----

bool DeviceSession::connect_to(const ConnectionChoice& choice) {
    if (state_ == LinkState::local) {
        app_.requesters->message("Connect to Maximite",
                                 "A program is running locally in the terminal panel. Stop it "
                                 "first (Stop, then Close).",
                                 Buttons::Ok);
        return false;
    }
    if (!speed_allowed(choice.speed)) {
        app_.requesters->message("Connect to Maximite",
                                 "The speed " + std::to_string(choice.speed) +
                                     " is not used: at 1200 baud a USB board restarts into its "
                                     "firmware loader. Choose another speed (USB boards ignore "
                                     "the speed).",
                                 Buttons::Ok);
        return false;
    }
    disconnect();
    std::string error;
    std::unique_ptr<DeviceLink> link = open_device_link(choice.port, choice.speed, error);
    if (!link) {
        std::string hint;
        if (error.find("ermission") != std::string::npos)
            hint = "\n\nOn Linux the user needs to be in the \"dialout\" group to use serial "
                   "ports (sudo usermod -aG dialout $USER, then log in again).";
        app_.requesters->message("Connect to Maximite",
                                 "Couldn't open " + choice.port + ": " + error + hint, Buttons::Ok);
        return false;
    }
    port_ = choice.port;
    speed_ = choice.speed;
    app_.settings.comport = choice.port;
    app_.settings.serial_speed = choice.speed;
    app_.settings.char_delay = std::max(choice.char_delay, 0);
    app_.settings.line_delay = std::max(choice.line_delay, 0);
    app_.settings.device_used = 1;
    attach(std::move(link));
    state_ = LinkState::connected;
    show_panel();
    update_status();
    if (panel_) panel_->view()->setFocus();
    return true;
}

void DeviceSession::attach(std::unique_ptr<DeviceLink> link) {
    link_ = std::move(link);
    connect(link_.get(), &DeviceLink::ready_read, this, [this] { on_ready_read(); });
    connect(link_.get(), &DeviceLink::lost, this, [this](const QString& why) { on_lost(why); });
}

void DeviceSession::disconnect() {
    if (transfer_) {
        cancel_transfer();
    }
    reconnect_timer_->stop();
    if (state_ == LinkState::local) stop_local();
    if (link_) {
        link_->disconnect(this);
        link_->close();
        // Deleted later: this may run inside one of the link's own signals.
        link_.release()->deleteLater();
    }
    local_.reset();
    state_ = LinkState::closed;
    update_status();
    hide_panel();
}

void DeviceSession::on_lost(const QString& why) {
    if (link_) {
        link_->disconnect(this);
        link_.release()->deleteLater();
    }
    if (state_ == LinkState::local) {
        show_output("\r\n[the program ended]\r\n");
        local_.reset();
        state_ = LinkState::closed;
        update_status();
        return;
    }
    bool was_sending = transfer_ != nullptr;
    end_transfer();
    state_ = LinkState::reconnecting;
    show_output(QByteArray("\r\n[connection lost: ") + why.toUtf8() +
                "; waiting for the port to come back]\r\n");
    update_status();
    reconnect_timer_->start(reconnect_interval_ms);
    if (was_sending)
        app_.requesters->message(
            "Send program",
            "The connection to " + port_ + " was lost while sending the program (" +
                why.toStdString() +
                "). The board may hold only part of it; send it again once the board is back. "
                "The document is unchanged.",
            Buttons::Ok);
}

void DeviceSession::try_reconnect() {
    if (state_ != LinkState::reconnecting) {
        reconnect_timer_->stop();
        return;
    }
    std::string error;
    std::unique_ptr<DeviceLink> link = open_device_link(port_, speed_, error);
    if (!link) return;
    reconnect_timer_->stop();
    attach(std::move(link));
    state_ = LinkState::connected;
    show_output("[connected again]\r\n");
    update_status();
}

void DeviceSession::write(const QByteArray& bytes) {
    if (link_ && link_->is_open()) link_->write(bytes);
}

void DeviceSession::send_keys(const QByteArray& bytes) {
    if (transfer_ || (state_ != LinkState::connected && state_ != LinkState::local)) return;
    if (awaiting_prompt_) {
        held_keys_ += bytes;
        return;
    }
    qsizetype stop = bytes.indexOf('\x03');
    if (stop < 0 || state_ == LinkState::local) {
        write(bytes);
        return;
    }
    write(bytes.left(stop + 1));
    held_keys_ = bytes.mid(stop + 1);
    awaiting_prompt_ = true;
    console_.reset();
    last_output_ms_ = now_ms();
    transfer_timer_->start(transfer_poll_ms);
}

void DeviceSession::watch_prompt(const QByteArray& bytes) {
    console_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    last_output_ms_ = now_ms();
    if (awaiting_prompt_ && console_.at_prompt()) prompt_seen();
}

void DeviceSession::prompt_seen() {
    awaiting_prompt_ = false;
    if (run_at_prompt_) {
        run_at_prompt_ = false;
        held_keys_.clear();
        run_program();
        return;
    }
    QByteArray keys = std::exchange(held_keys_, {});
    if (!keys.isEmpty()) send_keys(keys);
}

void DeviceSession::on_ready_read() {
    if (!link_) return;
    QByteArray bytes = link_->read_all();
    if (bytes.isEmpty()) return;
    bytes_received_ += static_cast<std::size_t>(bytes.size());
    if (transfer_) {
        transfer_bytes(bytes);
        return;
    }
    show_output(bytes);
    catch_errors(bytes);
    watch_prompt(bytes);
}

void DeviceSession::show_output(const QByteArray& bytes) {
    const int columns = screen_.columns(), rows = screen_.rows();
    screen_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // The screen answers the other end's queries (the cursor position for ESC[6n).
    std::string answers = screen_.take_answers();
    if (!answers.empty()) write(QByteArray(answers.data(), static_cast<qsizetype>(answers.size())));
    // A size the program asked for (ESC[8;r;c t) becomes the pseudo-terminal's too.
    if (local_ && (columns != screen_.columns() || rows != screen_.rows()))
        local_->set_size(screen_.columns(), screen_.rows());
    schedule_repaint();
}

void DeviceSession::schedule_repaint() {
    if (!repaint_timer_->isActive()) repaint_timer_->start(repaint_interval_ms);
}

void DeviceSession::clear_terminal() {
    screen_.clear();
    if (panel_) {
        panel_->view()->clear_selection();
        panel_->view()->refresh();
    }
}

// ---- the panel and the status bar ----

void DeviceSession::show_panel() {
    if (!app_.splitter || !app_.window) return;
    if (!panel_) {
        QWidget* area = app_.splitter->parentWidget();
        auto* vertical = new QSplitter(Qt::Vertical, area);
        vertical->setObjectName(QStringLiteral("device_splitter"));
        vertical->setChildrenCollapsible(false);
        vertical->addWidget(app_.splitter);
        panel_ = new TerminalPanel(*this, vertical);
        panel_->set_choices(app_.settings.send_by_xmodem != 0, app_.settings.run_after_send != 0);
        vertical->addWidget(panel_);
        vertical->setStretchFactor(0, 1);
        vertical->setStretchFactor(1, 0);
        connect(vertical, &QSplitter::splitterMoved, this, [this] {
            if (vertical_ && vertical_->sizes().size() == 2)
                app_.settings.terminal_height = vertical_->sizes()[1];
        });
        vertical_ = vertical;
        vertical->show();
        lay_out_splitter(app_);
    }
    panel_->show();
    int total = std::max(vertical_->height(), 2);
    int height = std::clamp(app_.settings.terminal_height, 60, std::max(total - 60, 60));
    vertical_->setSizes({std::max(total - height, 1), height});
    update_status();
}

void DeviceSession::hide_panel() {
    if (panel_) panel_->hide();
}

void DeviceSession::update_status() {
    if (!status_ && app_.window) {
        status_ = new QLabel(app_.window->statusBar());
        status_->setObjectName(QStringLiteral("device_status"));
        app_.window->statusBar()->addPermanentWidget(status_);
    }
    QString text;
    switch (state_) {
    case LinkState::closed:
        text = QString();
        break;
    case LinkState::connected:
        text = QStringLiteral("%1 %2: %3")
                   .arg(q(port_))
                   .arg(speed_)
                   .arg(transfer_ ? QStringLiteral("sending") : QStringLiteral("connected"));
        break;
    case LinkState::reconnecting:
        text = QStringLiteral("%1: waiting for the port").arg(q(port_));
        break;
    case LinkState::local:
        text = QStringLiteral("running locally");
        break;
    }
    if (status_) status_->setText(text);
    if (panel_) panel_->show_state(state_, transfer_ != nullptr, text);
}

// ---- sending a program ----

bool DeviceSession::can_send() const {
    return state_ == LinkState::connected && link_ && !transfer_;
}

bool DeviceSession::can_stop() const {
    return (state_ == LinkState::connected && !transfer_) || state_ == LinkState::local;
}

void DeviceSession::send_program(bool by_xmodem, bool run_after) {
    if (state_ != LinkState::connected || !link_) {
        app_.requesters->message(
            "Send program", "No board is connected. Use Connect to Maximite first.", Buttons::Ok);
        return;
    }
    if (transfer_) return;
    const Document* document = app_.documents.current_document();
    if (!document || !app_.editor) return;
    app_.settings.send_by_xmodem = by_xmodem ? 1 : 0;
    app_.settings.run_after_send = run_after ? 1 : 0;
    std::string text = sci_text(app_.editor);
    // The board cannot read #INCLUDE files from this computer: they go merged in.
    bool merged = false;
    if (has_include_lines(text)) {
        MergeResult result =
            merge_includes(text, document->path, app_.folders.include, disk_include_files(), "\n");
        if (!result.ok) {
            app_.requesters->message(
                "Send program",
                "The program's #INCLUDE files could not be merged: " + result.reason + " (" +
                    result.file + ", line " + std::to_string(result.line) + "). Nothing was sent.",
                Buttons::Ok);
            return;
        }
        text = std::move(result.text);
        merged = true;
    }
    std::string program;
    if (by_xmodem) {
        UnsendableReport unsendable = find_unsendable(text);
        unsendable.stopping_characters = 0; // a file transfer carries every byte
        if (unsendable.any()) {
            std::string what;
            if (unsendable.wide_characters)
                what += std::to_string(unsendable.wide_characters) +
                        " character(s) the board cannot show (they will arrive as \"?\")";
            if (unsendable.zero_bytes)
                what += std::string(what.empty() ? "" : " and ") +
                        std::to_string(unsendable.zero_bytes) + " zero byte(s)";
            Answer answer = app_.requesters->message(
                "Send program",
                "The program holds " + what + ", the first on line " +
                    std::to_string(unsendable.first_line) + ". Send it anyway?",
                Buttons::YesNo);
            if (answer != Answer::Yes) return;
        }
        program = utf8_to_bytes(text);
    } else {
        AutosaveCheck check = check_for_autosave(text);
        if (check.long_lines > 0) {
            app_.requesters->message(
                "Send program",
                "Line " + std::to_string(check.first_long_line) +
                    " is too long for the board: it takes lines of at most 254 characters "
                    "(AUTOSAVE would stop with \"Not enough memory\" and run the rest as "
                    "commands). " +
                    std::to_string(check.long_lines) + " line(s) are too long; the longest has " +
                    std::to_string(check.longest) + " characters. Nothing was sent.",
                Buttons::Ok);
            return;
        }
        if (check.dropped > 0) {
            Answer answer = app_.requesters->message(
                "Send program",
                "The program holds " + std::to_string(check.dropped) +
                    " character(s) the board does not keep (anything but printable ASCII and "
                    "TAB: accented letters, symbols, control characters), the first on line " +
                    std::to_string(check.first_dropped_line) +
                    ". Some of them would end AUTOSAVE early. Send the program without them?",
                Buttons::YesNo);
            if (answer != Answer::Yes) return;
        }
        program = autosave_program(text);
    }
    transfer_ = std::make_unique<Transfer>();
    transfer_->run_after = run_after;
    last_sent_path_ = document->path;
    last_sent_text_ = merged || text.find("' ==== start of ") != std::string::npos ? text : "";
    last_sent_merged_ = merged;
    capture_.reset();
    awaiting_prompt_ = run_at_prompt_ = false;
    held_keys_.clear();
    if (by_xmodem) {
        transfer_->sender = ProgramSender::by_xmodem(std::move(program), xmodem_timing,
                                                     answer_timeout_ms, now_ms());
    } else {
        AutosaveOptions options;
        options.char_delay_ms = app_.settings.char_delay;
        options.line_delay_ms = app_.settings.line_delay;
        options.answer_timeout_ms = answer_timeout_ms;
        options.quiet_ms = quiet_ms;
        transfer_->sender = ProgramSender::by_autosave(std::move(program), options, now_ms());
    }
    progress_ = new QProgressDialog(
        QStringLiteral("Sending %1 to %2...").arg(q(document->file_name), q(port_)),
        QStringLiteral("Cancel"), 0, 1000, app_.window.get());
    progress_->setObjectName(QStringLiteral("send_progress"));
    progress_->setWindowTitle(QStringLiteral("Send program"));
    // Not modal: the user may go on typing while the program goes out.
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(300);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancel_transfer(); });
    set_progress(0);
    update_status();
    flush_transfer();
}

int DeviceSession::transfer_progress() const {
    return transfer_ ? transfer_->sender->progress() : 0;
}

void DeviceSession::set_progress(int value) {
    if (progress_ && progress_->value() != value) progress_->setValue(value);
}

void DeviceSession::transfer_bytes(const QByteArray& bytes) {
    ProgramSender& sender = *transfer_->sender;
    std::string shown = sender.receive(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), now_ms());
    if (!shown.empty()) {
        QByteArray text(shown.data(), static_cast<qsizetype>(shown.size()));
        show_output(text);
        watch_prompt(text);
    }
    flush_transfer();
}

void DeviceSession::transfer_tick() {
    if (!transfer_) {
        // Typed keys wait for the prompt, but not for ever: a prompt of the program's own
        // shows as silence after the board's last output.
        if (awaiting_prompt_ && (now_ms() - last_output_ms_ >= quiet_ms * 2 ||
                                 now_ms() - last_output_ms_ >= prompt_wait_ms))
            prompt_seen();
        if (awaiting_prompt_) transfer_timer_->start(transfer_poll_ms);
        return;
    }
    transfer_->sender->tick(now_ms());
    flush_transfer();
}

// Writes what the transfer has to send, and ends it when it is over.
void DeviceSession::flush_transfer() {
    if (!transfer_) return;
    ProgramSender& sender = *transfer_->sender;
    std::string out = sender.take_output();
    if (!out.empty()) write(QByteArray(out.data(), static_cast<qsizetype>(out.size())));
    set_progress(transfer_progress());
    if (sender.over()) {
        finish_transfer(sender.ok(), sender.failure(), sender.failed_line());
        return;
    }
    std::int64_t wait = sender.next_tick(now_ms()) - now_ms();
    transfer_timer_->start(static_cast<int>(std::clamp<std::int64_t>(wait, 1, transfer_poll_ms)));
}

void DeviceSession::end_transfer() {
    transfer_timer_->stop();
    transfer_.reset();
    if (progress_) {
        progress_->disconnect(this);
        progress_->close();
        progress_->deleteLater();
    }
    update_status();
}

void DeviceSession::finish_transfer(bool ok, std::string failure, long failed_line) {
    bool run_after = transfer_ && transfer_->run_after;
    end_transfer();
    if (!ok) {
        if (failed_line > 0) {
            CapturedError at;
            at.line = failed_line;
            at.message = failure;
            jump_to_next_error_ = true;
            add_error(at);
        }
        app_.requesters->message("Send program", failure + " The document is unchanged.",
                                 Buttons::Ok);
        return;
    }
    if (run_after) run_program();
}

void DeviceSession::cancel_transfer() {
    if (!transfer_) return;
    transfer_->sender->cancel();
    std::string out = transfer_->sender->take_output();
    if (!out.empty()) write(QByteArray(out.data(), static_cast<qsizetype>(out.size())));
    end_transfer();
    app_.requesters->message("Send program",
                             "Sending was cancelled. The board keeps the program it had before.",
                             Buttons::Ok);
}

// ---- running ----

void DeviceSession::run_program() {
    if (state_ != LinkState::connected || transfer_) return;
    capture_.reset();
    jump_to_next_error_ = true;
    // The marks of the last run go; this run's errors mark their own lines.
    sci_send(app_.editor, Sci::SCI_MARKERDELETEALL, marker_error);
    write("RUN\r");
}

void DeviceSession::stop_program() {
    if (state_ == LinkState::local) {
        stop_local();
        return;
    }
    if (state_ == LinkState::connected && !transfer_) send_keys("\x03");
}

void DeviceSession::run_locally() {
    if (state_ == LinkState::connected || state_ == LinkState::reconnecting) {
        app_.requesters->message("Run in DOS",
                                 "A board is connected in the terminal panel. Disconnect it "
                                 "first to run the program locally.",
                                 Buttons::Ok);
        return;
    }
    if (state_ == LinkState::local) {
        show_panel();
        return;
    }
    if (app_.settings.interpreter.empty()) {
        Answer answer = app_.requesters->message(
            "Run in DOS",
            "No MMBasic interpreter is set. Running a program here needs a desktop MMBasic "
            "interpreter; its program is kept as \"Interpreter\" in group [Device] of the "
            "settings file.\n\nChoose the interpreter's program now?",
            Buttons::YesNo);
        if (answer != Answer::Yes) return;
        std::string chosen =
            app_.requesters->open_file("MMBasic interpreter", "", "Programs (*)|*");
        if (chosen.empty()) return;
        app_.settings.interpreter = chosen;
    }
    const std::string path = program_file_to_run(app_);
    if (path.empty()) return;
    std::optional<std::string> argument = interpreter_argument(file_name_of(path));
    if (!argument) {
        app_.requesters->message("Run in DOS",
                                 "The interpreter cannot be given a file whose name holds a "
                                 "double quote (\"). Save the program under another name to "
                                 "run it.",
                                 Buttons::Ok);
        return;
    }
    // The panel first: its view's size is the pseudo-terminal's.
    const bool panel_was_shown = panel_ && panel_->isVisible();
    show_panel();
    std::string error;
    auto local = std::make_unique<LocalRun>();
    int fd = local->start(app_.settings.interpreter, folder_of(path), *argument, screen_.columns(),
                          screen_.rows(), error);
    if (fd < 0) {
        if (!panel_was_shown) hide_panel();
        app_.requesters->message("Run in DOS",
                                 "Couldn't start " + app_.settings.interpreter + ": " + error,
                                 Buttons::Ok);
        return;
    }
    local_ = std::move(local);
    attach(std::make_unique<FdLink>(fd));
    last_sent_path_ = path;
    capture_.reset();
    jump_to_next_error_ = true;
    sci_send(app_.editor, Sci::SCI_MARKERDELETEALL, marker_error);
    state_ = LinkState::local;
    update_status();
    if (panel_) panel_->view()->setFocus();
}

void DeviceSession::stop_local() {
    if (local_) local_->stop();
}

void DeviceSession::resize_terminal(int columns, int rows) {
    screen_.fit(columns, rows);
    if (local_) local_->set_size(screen_.columns(), screen_.rows());
    schedule_repaint();
}

// ---- errors ----

namespace {

// The file of an include chain: each name next to the file that includes it, else in the
// include folder, as Merge finds them.
std::string resolve_include_chain(const std::string& program, const std::vector<std::string>& names,
                                  const std::string& include_folder) {
    namespace fs = std::filesystem;
    fs::path file = program;
    for (const std::string& name : names) {
        fs::path beside = file.parent_path() / name;
        std::error_code ignored;
        file = fs::exists(beside, ignored) || include_folder.empty()
                   ? beside
                   : fs::path(include_folder) / name;
    }
    return file.lexically_normal().string();
}

} // namespace

void DeviceSession::catch_errors(const QByteArray& bytes) {
    std::vector<CapturedError> found =
        capture_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    for (const CapturedError& error : found) {
        if (error.completes_previous) {
            if (errors_.empty()) continue;
            DeviceError& last = errors_.back();
            last.message = bytes_to_utf8(error.message) + " [" + last.message + "]";
            continue;
        }
        add_error(error);
    }
    if (!found.empty() && on_errors_changed) on_errors_changed();
}

void DeviceSession::add_error(const CapturedError& error) {
    DeviceError entry;
    entry.time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss")).toStdString();
    entry.message = (error.library ? "[LIBRARY] " : "") + bytes_to_utf8(error.message);
    entry.line = error.line;
    const Document* current = app_.documents.current_document();
    std::string sent = !last_sent_path_.empty() ? last_sent_path_ : current ? current->path : "";
    if (error.library || error.line <= 0) {
        entry.line = 0; // logged only: no line of the program to go to
    } else if (!error.file.empty()) {
        entry.file = error.file; // an included file, named by the interpreter
    } else if (!last_sent_text_.empty()) {
        // A program sent merged: the line is traced back to the file it came from.
        LineOrigin origin = origin_of_line(last_sent_text_, error.line);
        if (origin.includes.empty()) {
            entry.file = sent;
            entry.line = last_sent_merged_ ? origin.line : error.line;
        } else {
            entry.file = resolve_include_chain(sent, origin.includes, app_.folders.include);
            entry.line = origin.line;
        }
    } else {
        entry.file = sent;
    }
    errors_.push_back(entry);
    if (entry.line <= 0) return;
    if (current && current->path == entry.file && app_.editor) mark_error_line(entry.line);
    if (jump_to_next_error_) {
        jump_to_next_error_ = false;
        jump_to_error(errors_.size() - 1);
    }
}

void DeviceSession::mark_error_line(long line) {
    define_error_marker(app_.editor);
    sci_send(app_.editor, Sci::SCI_MARKERADD, static_cast<unsigned long>(line - 1), marker_error);
}

void DeviceSession::jump_to_error(std::size_t index) {
    if (index >= errors_.size() || !app_.editor) return;
    const DeviceError error = errors_[index];
    if (error.line <= 0 || error.file.empty()) return;
    int found = -1;
    for (int i = 0; i < app_.documents.count(); ++i)
        if (app_.documents.documents[i].path == error.file) found = i;
    if (found < 0) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(error.file, ignored))
            found = open_path(app_, error.file);
        if (found < 0) {
            app_.requesters->message(
                "Error Log", "The file " + error.file + " is not open any more.", Buttons::Ok);
            return;
        }
    }
    if (found != app_.documents.current) {
        activate_document(app_, found);
        select_tab(app_, found);
    }
    long lines = sci_line_count(app_.editor);
    long line = std::clamp(error.line, 1L, std::max(lines, 1L));
    mark_error_line(line);
    sci_send(app_.editor, Sci::SCI_ENSUREVISIBLE, static_cast<unsigned long>(line - 1));
    sci_send(app_.editor, Sci::SCI_GOTOLINE, static_cast<unsigned long>(line - 1));
    app_.editor->setFocus();
}
