// The terminal panel's buttons and their wiring to the session.
#include "device/terminal_panel.h"

#include "device/device_session.h"
#include "device/terminal_view.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, QHBoxLayout* row, const char* name, const QString& text,
                    const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus); // keys stay with the console
    row->addWidget(b);
    return b;
}

} // namespace

TerminalPanel::TerminalPanel(DeviceSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("terminal_panel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    column->addLayout(row);

    row->addStretch(1);
    send_ = button(this, row, "terminal_send", tr("Send program"),
                   tr("Send the current program to the board"));
    xmodem_ = new QCheckBox(tr("XMODEM"), this);
    xmodem_->setObjectName(QStringLiteral("terminal_xmodem"));
    xmodem_->setToolTip(tr("Send by XMODEM instead of AUTOSAVE"));
    xmodem_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(xmodem_);
    run_after_ = new QCheckBox(tr("then RUN"), this);
    run_after_->setObjectName(QStringLiteral("terminal_run_after"));
    run_after_->setChecked(true);
    run_after_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(run_after_);
    run_ = button(this, row, "terminal_run", tr("Run"), tr("RUN the program on the board"));
    stop_ = button(this, row, "terminal_stop", tr("Stop"), tr("Send Ctrl+C"));
    QPushButton* copy = button(this, row, "terminal_copy", tr("Copy"),
                               tr("Copy the selected lines, or everything (Ctrl+Shift+C)"));
    QPushButton* clear = button(this, row, "terminal_clear", tr("Clear"), tr("Clear the console"));
    disconnect_ = button(this, row, "terminal_disconnect", tr("Disconnect"),
                         tr("Close the port and the panel"));

    view_ = new TerminalView(session.screen(), this);
    view_->setObjectName(QStringLiteral("terminal_view"));
    view_->on_bytes = [this](const QByteArray& bytes) { session_.send_keys(bytes); };
    view_->on_size = [this](int columns, int rows) { session_.resize_terminal(columns, rows); };
    column->addWidget(view_, 1);
    // The state has a line of its own under the console: beside the buttons a narrow window
    // cut it to a few letters.
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("terminal_state"));
    state_->setContentsMargins(4, 0, 4, 0);
    column->addWidget(state_);

    connect(send_, &QPushButton::clicked, this,
            [this] { session_.send_program(xmodem_->isChecked(), run_after_->isChecked()); });
    connect(run_, &QPushButton::clicked, this, [this] { session_.run_program(); });
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (session_.state() == LinkState::local)
            session_.stop_local();
        else
            session_.stop_program();
    });
    connect(copy, &QPushButton::clicked, this, [this] { view_->copy(); });
    connect(clear, &QPushButton::clicked, this, [this] { session_.clear_terminal(); });
    connect(disconnect_, &QPushButton::clicked, this, [this] { session_.disconnect(); });
}

void TerminalPanel::show_state(LinkState state, bool transferring, const QString& text) {
    if (state == LinkState::local) ran_locally_ = true;
    if (state == LinkState::connected || state == LinkState::reconnecting) ran_locally_ = false;
    const bool ended = state == LinkState::closed && ran_locally_;
    state_->setText(ended ? tr("the program ended") : text);
    bool board = state == LinkState::connected;
    send_->setEnabled(board && !transferring);
    run_->setEnabled(board && !transferring);
    stop_->setEnabled(board || state == LinkState::local);
    xmodem_->setEnabled(!transferring);
    run_after_->setEnabled(!transferring);
    // Only a board is disconnected; a local run, running or ended, closes with the panel.
    const bool board_link = state == LinkState::connected || state == LinkState::reconnecting;
    disconnect_->setText(board_link ? tr("Disconnect") : tr("Close"));
    disconnect_->setToolTip(board_link ? tr("Close the port and the panel")
                                       : tr("Close the panel"));
}

void TerminalPanel::set_choices(bool by_xmodem, bool run_after) {
    xmodem_->setChecked(by_xmodem);
    run_after_->setChecked(run_after);
}
