// Running board file operations over the session's link, and what the panel shows.
#include "boardfiles/board_files.h"

#include "base/settings.h"
#include "boardfiles/board_files_panel.h"
#include "boardfiles/board_identity.h"
#include "boardfiles/board_names.h"
#include "device/device_session.h"
#include "ui/requesters.h"

#include <QDateTime>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int tick_ms = 10;
using Kind = BoardRequest::Kind;

bool has_transfer(const std::vector<BoardRequest>& requests) {
    for (const BoardRequest& r : requests)
        if (r.kind == Kind::upload || r.kind == Kind::download || r.kind == Kind::fetch_program)
            return true;
    return false;
}

std::string free_space_text(const BoardListing& listing) {
    std::string text = std::to_string(listing.directories) + " folder(s), " +
                       std::to_string(listing.files) + " file(s)";
    if (listing.free_bytes >= 0) text += ", " + std::to_string(listing.free_bytes) + " bytes free";
    return text;
}

} // namespace

BoardFiles::BoardFiles(DeviceSession& session, BoardFilesContext context)
    : session_(session), context_(std::move(context)), timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(tick_ms);
    connect(timer_.get(), &QTimer::timeout, this, [this] { tick(); });
}

BoardFiles::~BoardFiles() {
    if (queue_) session_.end_link_job();
    // Both point here.
    session_.on_state_changed = nullptr;
    session_.before_send = nullptr;
}

bool BoardFiles::run(std::vector<BoardRequest> requests, const std::string& title, Done done,
                     bool keep_going, bool break_in) {
    if (queue_) {
        context_.requesters.message(title,
                                    "The board is busy with other files. Wait for them or "
                                    "cancel them first.",
                                    Buttons::Ok);
        return false;
    }
    if (session_.state() != LinkState::connected) {
        context_.requesters.message(title, "No board is connected. Use Connect to Maximite first.",
                                    Buttons::Ok);
        return false;
    }
    // After a failed operation of ours the board may be anywhere, but no program of the
    // user's runs: Ctrl-C brings it back safely.
    bool at_prompt = session_.shows_prompt() && !ended_badly_;
    break_in = break_in || ended_badly_;
    if (!at_prompt && !break_in) {
        context_.requesters.message(
            title,
            "The board is not showing its prompt: a program may be running. "
            "Stop it (Shift+F5) and try again.",
            Buttons::Ok);
        return false;
    }
    DeviceSession::LinkJob job;
    job.bytes = [this](const std::string& bytes) {
        if (!queue_) return;
        queue_->receive(bytes, session_.clock_ms());
        session_.write_to_board(queue_->take_output());
    };
    job.lost = [this] {
        if (queue_) queue_->link_lost();
    };
    if (!session_.start_link_job(std::move(job))) {
        context_.requesters.message(
            title, "The board is busy sending a program. Try again after it.", Buttons::Ok);
        return false;
    }
    queue_ = std::make_unique<BoardQueue>(timing);
    queue_->keep_going = keep_going;
    if (at_prompt) queue_->assume_prompt();
    bool transfer = has_transfer(requests);
    for (BoardRequest& request : requests) queue_->add(std::move(request));
    done_ = std::move(done);
    title_ = title;
    outcomes_.clear();
    if (transfer && context_.window) {
        progress_ = new QProgressDialog(QString::fromStdString(title + "..."),
                                        QStringLiteral("Cancel"), 0, 1000, context_.window);
        progress_->setObjectName(QStringLiteral("board_files_progress"));
        progress_->setWindowTitle(QString::fromStdString(title));
        progress_->setMinimumDuration(300);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        connect(progress_, &QProgressDialog::canceled, this, [this] { cancel(); });
    }
    if (panel_) panel_->set_busy(true);
    tick();
    timer_->start();
    return true;
}

void BoardFiles::cancel() {
    if (queue_) queue_->cancel();
}

void BoardFiles::tick() {
    if (!queue_) return;
    queue_->tick(session_.clock_ms());
    session_.write_to_board(queue_->take_output());
    for (BoardOutcome& outcome : queue_->take_outcomes()) outcomes_.push_back(std::move(outcome));
    if (progress_ && queue_->running()) {
        progress_->setLabelText(
            QString::fromStdString(title_ + ": " +
                                   (queue_->running()->name.empty() ? std::string("program memory")
                                                                    : queue_->running()->name)));
        progress_->setValue(queue_->progress());
    }
    if (queue_->idle()) finish();
}

void BoardFiles::finish() {
    timer_->stop();
    session_.end_link_job();
    for (BoardOutcome& outcome : queue_->take_outcomes()) outcomes_.push_back(std::move(outcome));
    queue_.reset();
    if (progress_) progress_->deleteLater();
    progress_ = nullptr;
    if (panel_) panel_->set_busy(false);
    ended_badly_ = false;
    for (const BoardOutcome& outcome : outcomes_) ended_badly_ = ended_badly_ || !outcome.ok;
    Done done = std::move(done_);
    std::vector<BoardOutcome> outcomes = std::move(outcomes_);
    outcomes_.clear();
    if (done) done(outcomes);
}

void BoardFiles::set_status(std::string text) {
    status_ = std::move(text);
    if (panel_) panel_->show_listing(listing_, status_, identity_);
}

void BoardFiles::take_identity(const std::vector<BoardOutcome>& outcomes) {
    for (const BoardOutcome& outcome : outcomes) {
        if (!outcome.ok || outcome.request.kind != Kind::line || outcome.lines.empty()) continue;
        if (outcome.request.name == "PRINT MM.DEVICE$") identity_.device = outcome.lines.back();
        if (outcome.request.name == "PRINT MM.VER") identity_.version = outcome.lines.back();
        if (outcome.request.name == "OPTION LIST")
            identity_.chip = chip_of_firmware_line(outcome.lines.front());
        identity_.known = true;
    }
    session_.program_memory =
        program_memory_of(identity_.device, identity_.version, identity_.chip);
    update_identity_label();
}

// Who the board is: MM.DEVICE$, MM.VER, the chip from OPTION LIST, then whether a card is in.
void BoardFiles::ask_identity(bool break_in) {
    identity_asked_ = true;
    // Never into a program the Refresh button stopped: only a board found at its prompt.
    clock_due_ = context_.settings.set_clock_on_connect != 0 && !break_in && !ended_badly_;
    std::vector<BoardRequest> requests = {
        board_request(Kind::line, "PRINT MM.DEVICE$"), board_request(Kind::line, "PRINT MM.VER"),
        board_request(Kind::line, "OPTION LIST"), board_request(Kind::line, "PRINT CWD$")};
    run(
        std::move(requests), "Board files",
        [this](std::vector<BoardOutcome>& outcomes) {
            take_identity(outcomes);
            std::string cwd;
            for (const BoardOutcome& outcome : outcomes)
                if (outcome.ok && outcome.request.name == "PRINT CWD$" && !outcome.lines.empty())
                    cwd = outcome.lines.back();
            probe_card(cwd);
        },
        true, break_in);
}

// DRIVE "B:" answers "B: drive not enabled" without a card; the board is put back where it was.
// Then the clock when the settings ask for it, and the listing.
void BoardFiles::probe_card(const std::string& cwd) {
    auto next = [this] {
        if (!std::exchange(clock_due_, false)) return refresh();
        run(
            board_clock_requests(), "Set the board's clock",
            [this](std::vector<BoardOutcome>&) { refresh(); }, true);
    };
    if (cwd.size() < 2 || cwd[1] != ':') return next();
    if (cwd[0] == 'B') {
        identity_.card = true;
        update_identity_label();
        return next();
    }
    std::vector<BoardRequest> requests = {
        board_request(Kind::drive, "B:"), board_request(Kind::drive, cwd.substr(0, 2)),
        board_request(Kind::chdir, cwd.size() > 2 ? cwd.substr(2) : std::string("/"))};
    run(
        std::move(requests), "Board files",
        [this, next](std::vector<BoardOutcome>& outcomes) {
            identity_.card = !outcomes.empty() && outcomes[0].ok;
            // The card's refusal is an answer, not a fault: the board is at its prompt.
            ended_badly_ = false;
            for (std::size_t i = 1; i < outcomes.size(); ++i)
                ended_badly_ = ended_badly_ || !outcomes[i].ok;
            update_identity_label();
            next();
        },
        true);
}

std::vector<BoardRequest> board_clock_requests() {
    const QDateTime now = QDateTime::currentDateTime();
    return {board_request(Kind::line, "DATE$ = \"" +
                                          now.toString(QStringLiteral("dd-MM-yyyy")).toStdString() +
                                          "\""),
            board_request(Kind::line, "TIME$ = \"" +
                                          now.toString(QStringLiteral("HH:mm:ss")).toStdString() +
                                          "\"")};
}

void BoardFiles::update_identity_label() {
    if (!context_.status_bar) return;
    if (!identity_label_) {
        identity_label_ = new QLabel(context_.status_bar);
        identity_label_->setObjectName(QStringLiteral("board_identity"));
        context_.status_bar->addPermanentWidget(identity_label_);
    }
    std::string text;
    if (identity_.known) {
        text = identity_.device + " " + identity_.version +
               (identity_.card ? ", SD card" : ", no SD card");
        char drive = listing_drive(listing_.folder);
        if (drive != 0) text += ", " + std::string(1, drive) + ":";
        if (listing_.free_bytes >= 0)
            text += " " + std::to_string(listing_.free_bytes / 1024) + " KB free";
    }
    identity_label_->setText(QString::fromStdString(text));
    identity_label_->setVisible(!text.empty());
}

void BoardFiles::note(const std::string& text) {
    if (context_.status_bar) context_.status_bar->showMessage(QString::fromStdString(text), 10000);
}

void BoardFiles::connection_changed() {
    if (session_.state() != LinkState::connected) {
        identity_ = {};
        identity_asked_ = false;
        session_.program_memory = 0;
        ended_badly_ = false;
        listing_ = {};
        update_identity_label();
        set_status("Not connected to a board. Use Connect to Maximite.");
        return;
    }
    refresh();
}

void BoardFiles::refresh(bool break_in) {
    if (queue_) return;
    if (session_.state() != LinkState::connected) {
        listing_ = {};
        return set_status("Not connected to a board. Use Connect to Maximite.");
    }
    if (!session_.shows_prompt() && !break_in && !ended_badly_) {
        listing_ = {};
        return set_status("The board is not showing its prompt: a program may be running. Stop "
                          "it (Shift+F5), or press Refresh to stop it and list the files.");
    }
    if (!identity_asked_) return ask_identity(break_in);
    run(
        {board_request(Kind::list)}, "Board files",
        [this](std::vector<BoardOutcome>& outcomes) {
            for (BoardOutcome& outcome : outcomes) {
                if (outcome.request.kind != Kind::list) continue;
                if (outcome.ok) {
                    listing_ = std::move(outcome.listing);
                    update_identity_label();
                    return set_status(free_space_text(listing_));
                }
                listing_ = {};
                set_status("The board did not list its files: " + outcome.failure);
                return;
            }
        },
        true, break_in);
}

void BoardFiles::show_panel() {
    if (!panel_ && context_.place_panel) {
        auto* panel = new BoardFilesPanel(*this, nullptr);
        if (context_.place_panel(panel))
            panel_ = panel;
        else
            delete panel;
    }
    if (!panel_) return;
    panel_->show();
    panel_->show_listing(listing_, status_, identity_);
    connection_changed();
}

void BoardFiles::toggle_panel() {
    if (panel_visible())
        panel_->hide();
    else
        show_panel();
}

BoardFilesPanel* BoardFiles::panel() const {
    return panel_.data();
}

bool BoardFiles::panel_visible() const {
    return panel_ && panel_->isVisible();
}
