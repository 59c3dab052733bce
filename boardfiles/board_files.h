// The board's files in the editor: runs queues of board file operations over the device
// session's link (the console is set aside meanwhile), keeps the current listing and the
// board's identity, and drives the Board files panel. One per editor, owned by App; it works
// over the device session given when it is made, which outlives it.
#pragma once

#include "boardfiles/board_files_context.h"
#include "boardfiles/board_listing.h"
#include "boardfiles/board_queue.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BoardFilesPanel;
class DeviceSession;
class QLabel;
class QProgressDialog;
class QTimer;

struct BoardIdentity {
    std::string device;  // MM.DEVICE$: "PicoMite", "PicoMiteVGA", ...
    std::string version; // MM.VER: "6.0003"
    std::string chip;    // "RP2040", "RP2350", or empty: from OPTION LIST's first line
    bool card = false;   // drive B: answers
    bool known = false;
};

class BoardFiles : public QObject {
    Q_OBJECT
  public:
    BoardFiles(DeviceSession& session, BoardFilesContext context);
    ~BoardFiles() override;

    using Done = std::function<void(std::vector<BoardOutcome>&)>;
    // Runs `requests` on the board; `done` gets every outcome. `title` names the work in its
    // progress dialog and messages. False (with a message) when the board cannot take it now.
    // `break_in`: stop whatever the board does (Ctrl-C) when its prompt is not showing.
    bool run(std::vector<BoardRequest> requests, const std::string& title, Done done,
             bool keep_going = false, bool break_in = false);
    bool busy() const { return queue_ != nullptr; }
    void cancel();

    // Lists the current folder into the panel (and asks the board who it is the first time).
    void refresh(bool break_in = false);
    // The panel's operations. Names are in the current folder.
    void open_folder(const std::string& name); // ".." goes up
    void switch_drive(char letter);
    void upload(const std::vector<std::string>& local_paths);
    // Into `folder` under the board's names; a single file goes to `single_path` when given.
    void download(const std::vector<BoardEntry>& entries, const std::string& folder,
                  const std::string& single_path = {});
    void remove(const std::vector<BoardEntry>& entries);
    void rename(const BoardEntry& entry);
    void new_folder();
    // Downloads a file into the board's working folder in the data folder and opens it in a
    // tab; a working copy already open is only shown (its edits are kept).
    void open_in_tab(const BoardEntry& entry);

    const BoardListing& listing() const { return listing_; }
    const BoardIdentity& identity() const { return identity_; }
    // Why the list is empty, or the free space: the panel's status line.
    const std::string& status() const { return status_; }
    BoardFilesPanel* panel() const;
    // The records and widgets the board's files work with, and the link they go over.
    const BoardFilesContext& context() const { return context_; }
    DeviceSession& session() { return session_; }
    void show_panel();
    void toggle_panel();
    bool panel_visible() const;
    // A short note in the status bar (a finished operation that needs no box).
    void note(const std::string& text);
    // The link came or went.
    void connection_changed();

    // Limits, short in tests.
    BoardStepTiming timing;

  private:
    void tick();
    void finish();
    void set_status(std::string text);
    void ask_identity(bool break_in);
    void probe_card(const std::string& cwd);
    void take_identity(const std::vector<BoardOutcome>& outcomes);
    void update_identity_label();

    DeviceSession& session_;
    BoardFilesContext context_;
    std::unique_ptr<BoardQueue> queue_;
    Done done_;
    std::string title_;
    std::vector<BoardOutcome> outcomes_;
    BoardListing listing_;
    BoardIdentity identity_;
    std::string status_;
    bool ended_badly_ = false;    // the last operation failed: the board's state is not known
    bool identity_asked_ = false; // once per connection, even when the board did not say
    bool clock_due_ = false; // the clock is set after the identity (the board was at its prompt)
    std::unique_ptr<QTimer> timer_;
    QPointer<BoardFilesPanel> panel_;
    QPointer<QProgressDialog> progress_;
    QPointer<QLabel> identity_label_;
};

// DATE$ and TIME$ set to the computer's clock now.
std::vector<BoardRequest> board_clock_requests();
