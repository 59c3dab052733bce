// The device session: link, console, transfers and errors.
#include "device/device_session.h"

#include "base/settings.h"
#include "base/text_conversion.h"
#include "device/connect_dialog.h"
#include "device/device_link.h"
#include "device/error_marks.h"
#include "device/line_origin.h"
#include "device/local_run.h"
#include "device/program_sender.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "ui/requesters.h"

#include <QLabel>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int repaint_interval_ms = 30;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

DeviceSession::DeviceSession(DeviceContext context)
    : choose_connection(choose_connection_by_dialog), list_ports(available_ports),
      context_(std::move(context)), repaint_timer_(std::make_unique<QTimer>()),
      reconnect_timer_(std::make_unique<QTimer>()), transfer_timer_(std::make_unique<QTimer>()) {
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

// ---- the link ----

bool DeviceSession::connect_to(const ConnectionChoice& choice) {
    if (state_ == LinkState::local) {
        context_.requesters.message("Connect to Maximite",
                                    "A program is running locally in the terminal panel. Stop it "
                                    "first (Stop, then Close).",
                                    Buttons::Ok);
        return false;
    }
    if (!speed_allowed(choice.speed)) {
        context_.requesters.message("Connect to Maximite",
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
        context_.requesters.message("Connect to Maximite",
                                    "Couldn't open " + choice.port + ": " + error + hint,
                                    Buttons::Ok);
        return false;
    }
    port_ = choice.port;
    speed_ = choice.speed;
    board_port_ = PortEntry{};
    board_port_.name = choice.port;
    for (PortEntry& listed : list_ports())
        if (listed.name == choice.port) board_port_ = std::move(listed);
    context_.settings.comport = choice.port;
    context_.settings.serial_speed = choice.speed;
    context_.settings.char_delay = std::max(choice.char_delay, 0);
    context_.settings.line_delay = std::max(choice.line_delay, 0);
    context_.settings.device_used = 1;
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
    if (job_) {
        std::function<void()> lost = std::move(job_->lost);
        job_.reset();
        if (lost) lost();
    }
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
    if (job_) {
        std::function<void()> lost = std::move(job_->lost);
        job_.reset();
        if (lost) lost();
    }
    bool was_sending = transfer_ != nullptr;
    end_transfer();
    state_ = LinkState::reconnecting;
    show_output(QByteArray("\r\n[connection lost: ") + why.toUtf8() +
                "; waiting for the port to come back]\r\n");
    update_status();
    reconnect_timer_->start(reconnect_interval_ms);
    if (was_sending)
        context_.requesters.message(
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
    // A USB board may come back from a reset under another name, and its old name may then be
    // another device's.
    // Only a USB board needs the system's list; any other port has just its name.
    const std::string target =
        board_port_.usb ? port_to_reopen(list_ports(), board_port_) : board_port_.name;
    if (target.empty()) return;
    std::string error;
    std::unique_ptr<DeviceLink> link = open_device_link(target, speed_, error);
    if (!link) return;
    std::string renamed;
    if (target != port_) {
        renamed = target;
        port_ = target;
        context_.settings.comport = target;
    }
    board_port_.name = target;
    reconnect_timer_->stop();
    attach(std::move(link));
    state_ = LinkState::connected;
    show_output(renamed.empty()
                    ? QByteArray("[connected again]\r\n")
                    : "[connected again on " + QByteArray::fromStdString(renamed) + "]\r\n");
    update_status();
}

bool DeviceSession::start_link_job(LinkJob job) {
    if (state_ != LinkState::connected || !link_ || transfer_ || job_) return false;
    job_ = std::move(job);
    return true;
}

void DeviceSession::write_to_board(const std::string& bytes) {
    if (!bytes.empty()) write(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool DeviceSession::shows_prompt() const {
    // The screen's text of a line leaves out its trailing blanks.
    std::size_t row = screen_.first_screen_line() + static_cast<std::size_t>(screen_.cursor_row());
    return screen_.cursor_column() == 2 && screen_.line_text(row) == ">";
}

void DeviceSession::write(const QByteArray& bytes) {
    if (link_ && link_->is_open()) link_->write(bytes);
}

void DeviceSession::send_keys(const QByteArray& bytes) {
    if (transfer_ || job_ || (state_ != LinkState::connected && state_ != LinkState::local)) return;
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
    last_output_ms_ = now_ms();
    // Only the output after Ctrl-C is read for the prompt (the screen was reset then): a flood of
    // program output costs nothing here.
    if (!awaiting_prompt_) return;
    console_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (console_.at_prompt()) prompt_seen();
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
    if (job_) {
        job_->bytes(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return;
    }
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
    if (!panel_) {
        if (!context_.place_console) return;
        auto* panel = new TerminalPanel(*this, nullptr);
        panel->set_choices(context_.settings.send_by_xmodem != 0,
                           context_.settings.run_after_send != 0);
        QSplitter* vertical = context_.place_console(panel);
        if (!vertical) {
            delete panel;
            return;
        }
        panel_ = panel;
        connect(vertical, &QSplitter::splitterMoved, this, [this] {
            if (vertical_ && vertical_->sizes().size() == 2)
                context_.settings.terminal_height = vertical_->sizes()[1];
        });
        vertical_ = vertical;
    }
    panel_->show();
    int total = std::max(vertical_->height(), 2);
    int height = std::clamp(context_.settings.terminal_height, 60, std::max(total - 60, 60));
    vertical_->setSizes({std::max(total - height, 1), height});
    update_status();
}

void DeviceSession::hide_panel() {
    if (panel_) panel_->hide();
}

void DeviceSession::update_status() {
    if (on_state_changed) on_state_changed();
    if (!status_ && context_.status_bar) {
        status_ = new QLabel(context_.status_bar);
        status_->setObjectName(QStringLiteral("device_status"));
        context_.status_bar->addPermanentWidget(status_);
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

// ---- running ----

void DeviceSession::run_program() {
    if (state_ != LinkState::connected || transfer_) return;
    capture_.reset();
    jump_to_next_error_ = true;
    // The marks of the last run go; this run's errors mark their own lines.
    clear_error_marks(context_.editor);
    write("RUN\r");
}

void DeviceSession::stop_program() {
    if (state_ == LinkState::local) {
        stop_local();
        return;
    }
    if (state_ == LinkState::connected && !transfer_) send_keys("\x03");
}
