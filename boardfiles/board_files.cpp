// Running board file operations over the session's link, and what the panel shows.
#include "boardfiles/board_files.h"

#include "app/app.h"
#include "app/folders.h"
#include "app/main_window.h"
#include "boardfiles/board_files_panel.h"
#include "boardfiles/board_names.h"
#include "device/device_session.h"
#include "documents/opening.h"
#include "tools/file_io.h"
#include "ui/requesters.h"

#include <QLabel>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr int tick_ms = 10;
using Kind = BoardRequest::Kind;

BoardRequest make(Kind kind, std::string name = {}) {
    BoardRequest request;
    request.kind = kind;
    request.name = std::move(name);
    return request;
}

std::string leaf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

BoardFiles::BoardFiles(App& app) : app_(app), timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(tick_ms);
    connect(timer_.get(), &QTimer::timeout, this, [this] { tick(); });
}

BoardFiles::~BoardFiles() {
    if (!app_.device) return;
    if (queue_) app_.device->end_link_job();
    app_.device->on_state_changed = nullptr; // it points here
}

BoardFiles& board_files(App& app) {
    if (!app.board_files) app.board_files = std::make_unique<BoardFiles>(app);
    return *app.board_files;
}

bool BoardFiles::run(std::vector<BoardRequest> requests, const std::string& title, Done done,
                     bool keep_going, bool break_in) {
    if (queue_) {
        app_.requesters->message(title,
                                 "The board is busy with other files. Wait for them or "
                                 "cancel them first.",
                                 Buttons::Ok);
        return false;
    }
    DeviceSession* session = app_.device.get();
    if (!session || session->state() != LinkState::connected) {
        app_.requesters->message(title, "No board is connected. Use Connect to Maximite first.",
                                 Buttons::Ok);
        return false;
    }
    // After a failed operation of ours the board may be anywhere, but no program of the
    // user's runs: Ctrl-C brings it back safely.
    bool at_prompt = session->shows_prompt() && !ended_badly_;
    break_in = break_in || ended_badly_;
    if (!at_prompt && !break_in) {
        app_.requesters->message(title,
                                 "The board is not showing its prompt: a program may be running. "
                                 "Stop it (Shift+F5) and try again.",
                                 Buttons::Ok);
        return false;
    }
    DeviceSession::LinkJob job;
    job.bytes = [this](const std::string& bytes) {
        if (!queue_) return;
        queue_->receive(bytes, app_.device->clock_ms());
        app_.device->write_to_board(queue_->take_output());
    };
    job.lost = [this] {
        if (queue_) queue_->link_lost();
    };
    if (!session->start_link_job(std::move(job))) {
        app_.requesters->message(title, "The board is busy sending a program. Try again after it.",
                                 Buttons::Ok);
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
    if (transfer && app_.window) {
        progress_ = new QProgressDialog(QString::fromStdString(title + "..."),
                                        QStringLiteral("Cancel"), 0, 1000, app_.window.get());
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
    DeviceSession* session = app_.device.get();
    if (session) {
        queue_->tick(session->clock_ms());
        session->write_to_board(queue_->take_output());
    }
    for (BoardOutcome& outcome : queue_->take_outcomes()) outcomes_.push_back(std::move(outcome));
    if (progress_ && queue_->running()) {
        progress_->setLabelText(
            QString::fromStdString(title_ + ": " +
                                   (queue_->running()->name.empty() ? std::string("program memory")
                                                                    : queue_->running()->name)));
        progress_->setValue(queue_->progress());
    }
    if (queue_->idle() || !session) finish();
}

void BoardFiles::finish() {
    timer_->stop();
    if (app_.device) app_.device->end_link_job();
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
        identity_.known = true;
    }
    update_identity_label();
}

void BoardFiles::update_identity_label() {
    if (!app_.window) return;
    if (!identity_label_) {
        identity_label_ = new QLabel(app_.window->statusBar());
        identity_label_->setObjectName(QStringLiteral("board_identity"));
        app_.window->statusBar()->addPermanentWidget(identity_label_);
    }
    std::string text;
    if (identity_.known) {
        text = identity_.device + " " + identity_.version;
        char drive = listing_drive(listing_.folder);
        if (drive != 0) text += ", " + std::string(1, drive) + ":";
        if (listing_.free_bytes >= 0)
            text += " " + std::to_string(listing_.free_bytes / 1024) + " KB free";
    }
    identity_label_->setText(QString::fromStdString(text));
    identity_label_->setVisible(!text.empty());
}

void BoardFiles::connection_changed() {
    DeviceSession* session = app_.device.get();
    if (!session || session->state() != LinkState::connected) {
        identity_ = {};
        ended_badly_ = false;
        listing_ = {};
        update_identity_label();
        set_status("Not connected to a board. Use Connect to Maximite.");
        return;
    }
    refresh();
}

void BoardFiles::refresh(bool break_in) {
    DeviceSession* session = app_.device.get();
    if (queue_) return;
    if (!session || session->state() != LinkState::connected) {
        listing_ = {};
        return set_status("Not connected to a board. Use Connect to Maximite.");
    }
    if (!session->shows_prompt() && !break_in && !ended_badly_) {
        listing_ = {};
        return set_status("The board is not showing its prompt: a program may be running. Stop "
                          "it (Shift+F5), or press Refresh to stop it and list the files.");
    }
    std::vector<BoardRequest> requests;
    if (!identity_.known) {
        requests.push_back(make(Kind::line, "PRINT MM.DEVICE$"));
        requests.push_back(make(Kind::line, "PRINT MM.VER"));
    }
    requests.push_back(make(Kind::list));
    run(
        std::move(requests), "Board files",
        [this](std::vector<BoardOutcome>& outcomes) {
            take_identity(outcomes);
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

namespace {
// Runs `requests`, then lists the folder again; failures are shown in one message.
void then_refresh(BoardFiles& files, App& app, std::vector<BoardRequest> requests,
                  const std::string& title) {
    files.run(
        std::move(requests), title,
        [&files, &app, title](std::vector<BoardOutcome>& outcomes) {
            std::vector<BoardOutcome> failed;
            for (BoardOutcome& outcome : outcomes) {
                // Uploading a folder again finds its folders there already.
                bool folder_there = title == "Upload" && outcome.request.kind == Kind::mkdir &&
                                    outcome.failure.find("already exists") != std::string::npos;
                if (!outcome.ok && !folder_there) failed.push_back(outcome);
            }
            files.refresh();
            if (!failed.empty()) {
                std::string text;
                for (const BoardOutcome& outcome : failed)
                    text += (outcome.request.name.empty() ? std::string("The listing")
                                                          : outcome.request.name) +
                            ": " + outcome.failure + "\n";
                app.requesters->message(title, text, Buttons::Ok);
            }
        },
        true);
}
} // namespace

void BoardFiles::open_folder(const std::string& name) {
    then_refresh(*this, app_, {make(Kind::chdir, name)}, "Open folder");
}

void BoardFiles::switch_drive(char letter) {
    then_refresh(*this, app_, {make(Kind::drive, std::string(1, letter) + ":")}, "Drive");
}

// A folder of the computer as board requests: MKDIR for it and each folder inside (parents
// first), an upload for each file, all relative to the board's current folder.
static void add_folder_upload(const std::string& path, std::vector<BoardRequest>& requests) {
    namespace fs = std::filesystem;
    const fs::path base(path);
    const std::string top = leaf(path);
    requests.push_back(make(Kind::mkdir, top));
    std::vector<std::pair<std::string, std::string>> files; // board name, local path
    std::vector<std::string> folders;
    std::error_code error;
    for (fs::recursive_directory_iterator it(base, error), end; !error && it != end;
         it.increment(error)) {
        std::string inner = top + "/" + fs::relative(it->path(), base, error).generic_string();
        if (it->is_directory(error))
            folders.push_back(inner);
        else if (it->is_regular_file(error))
            files.emplace_back(inner, it->path().string());
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    for (const std::string& folder : folders) requests.push_back(make(Kind::mkdir, folder));
    for (const auto& [name, local] : files) {
        BoardRequest request = make(Kind::upload, name);
        request.local = local;
        requests.push_back(std::move(request));
    }
}

void BoardFiles::upload(const std::vector<std::string>& local_paths) {
    std::vector<BoardRequest> requests;
    for (std::string path : local_paths) {
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        if (is_directory(path)) {
            add_folder_upload(path, requests);
            continue;
        }
        if (!is_regular_file(path)) continue;
        BoardRequest request = make(Kind::upload, leaf(path));
        request.local = path;
        for (const BoardEntry& entry : listing_.entries) {
            if (entry.name != request.name) continue;
            if (app_.requesters->message("Upload",
                                         request.name + " is already on the board. Replace it?",
                                         Buttons::YesNoDefaultNo) != Answer::Yes)
                request.kind = Kind::list; // skipped
        }
        if (request.kind == Kind::upload) requests.push_back(std::move(request));
    }
    if (requests.empty()) return;
    then_refresh(*this, app_, std::move(requests), "Upload");
}

void BoardFiles::download(const std::vector<BoardEntry>& entries, const std::string& folder) {
    std::vector<BoardRequest> requests;
    for (const BoardEntry& entry : entries) {
        if (entry.folder) continue;
        BoardRequest request = make(Kind::download, entry.name);
        request.local = folder + (folder.ends_with('/') ? "" : "/") + entry.name;
        request.size = entry.size;
        if (file_exists(request.local) &&
            app_.requesters->message("Download", request.local + " exists. Replace it?",
                                     Buttons::YesNoDefaultNo) != Answer::Yes)
            continue;
        requests.push_back(std::move(request));
    }
    if (requests.empty()) return;
    then_refresh(*this, app_, std::move(requests), "Download");
}

void BoardFiles::remove(const std::vector<BoardEntry>& entries) {
    if (entries.empty()) return;
    std::string names;
    std::vector<BoardRequest> requests;
    for (const BoardEntry& entry : entries) {
        names += "\n" + entry.name + (entry.folder ? " (folder)" : "");
        requests.push_back(make(entry.folder ? Kind::rmdir : Kind::kill, entry.name));
    }
    if (app_.requesters->message("Delete",
                                 "Delete from " + listing_.folder + " on the board?\n" + names,
                                 Buttons::YesNoDefaultNo) != Answer::Yes)
        return;
    then_refresh(*this, app_, std::move(requests), "Delete");
}

void BoardFiles::rename(const BoardEntry& entry) {
    std::optional<std::string> name = app_.requesters->input("Rename", "New name:", entry.name);
    if (!name || name->empty() || *name == entry.name) return;
    BoardRequest request = make(Kind::rename, entry.name);
    request.new_name = *name;
    then_refresh(*this, app_, {request}, "Rename");
}

void BoardFiles::new_folder() {
    std::optional<std::string> name = app_.requesters->input("New folder", "Folder name:", "");
    if (!name || name->empty()) return;
    then_refresh(*this, app_, {make(Kind::mkdir, *name)}, "New folder");
}

void BoardFiles::show_panel() {
    if (!panel_ && app_.splitter) {
        panel_ = new BoardFilesPanel(*this, app_.splitter);
        app_.splitter->addWidget(panel_);
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

void BoardFiles::open_in_tab(const BoardEntry& entry) {
    if (entry.folder || listing_.folder.size() < 2) return;
    // One working folder per board, then the drive and the folders as on the board.
    std::string board = identity_.device.empty() ? std::string("board") : identity_.device;
    for (char& c : board)
        if (c == '/' || c == '\\' || c == '.') c = '_';
    std::string inner = listing_.folder.substr(2);
    while (inner.starts_with('/')) inner.erase(0, 1);
    std::string local = with_separator(app_.folders.data) + "boards/" + board + "/" +
                        std::string(1, listing_.folder[0]) + "/" +
                        (inner.empty() ? "" : inner + "/") + entry.name;
    if (find_open_document(app_, local) >= 0) {
        open_path(app_, local);
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(local).parent_path(), error);
    BoardRequest request = make(Kind::download, entry.name);
    request.local = local;
    request.size = entry.size;
    run({request}, "Open from the board", [this, local](std::vector<BoardOutcome>& outcomes) {
        if (outcomes.empty() || !outcomes[0].ok) {
            app_.requesters->message(
                "Open from the board",
                "The file could not be fetched: " +
                    (outcomes.empty() ? std::string("cancelled.") : outcomes[0].failure),
                Buttons::Ok);
            return;
        }
        open_path(app_, local);
    });
}
