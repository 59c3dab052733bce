// A queue of operations on the board's files, each run as a BoardStep over the console: list
// the current folder (FILES), upload a computer file (XMODEM RECEIVE "name"), download into a
// computer file (XMODEM SEND "name", written only once complete), fetch program memory, KILL,
// RENAME, MKDIR, RMDIR, CHDIR, DRIVE, and any other line (CWD$, OPTION LIST, DATE$ = ...).
// Each finished operation leaves an outcome: success, or the failure in the board's words.
#pragma once

#include "boardfiles/board_listing.h"
#include "boardfiles/board_step.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct BoardRequest {
    enum class Kind {
        list,
        upload,
        download,
        fetch_program,
        kill,
        rename,
        mkdir,
        rmdir,
        chdir,
        drive,
        line
    };
    Kind kind = Kind::list;
    std::string name;       // on the board (for `line`: the whole command)
    std::string new_name;   // rename: the new name
    std::string local;      // upload: the file read; download: the file written
    std::int64_t size = -1; // download: the size the listing gave
};

// A request of `kind` for the board's `name` (empty where the kind takes none).
inline BoardRequest board_request(BoardRequest::Kind kind, std::string name = {}) {
    BoardRequest request;
    request.kind = kind;
    request.name = std::move(name);
    return request;
}

struct BoardOutcome {
    BoardRequest request;
    bool ok = false;
    std::string failure;
    std::vector<std::string> lines; // what the board printed (list, line)
    BoardListing listing;           // list
    std::string data;               // fetch_program: the program; download: the bytes written
};

// The command line a request types at the prompt.
std::string board_command(const BoardRequest& request);

class BoardQueue {
  public:
    explicit BoardQueue(BoardStepTiming timing = {});

    void add(BoardRequest request);
    // The board's output; returns what of it is console text (not XMODEM's blocks).
    std::string receive(std::string_view bytes, std::int64_t now_ms);
    void tick(std::int64_t now_ms);
    std::string take_output();
    // Cancels the running operation and drops those waiting.
    void cancel();
    void link_lost();

    bool idle() const { return !step_ && waiting_.empty(); }
    // The board is known to be at its prompt: the first command goes without Ctrl-C (which
    // would stop a running program).
    void assume_prompt() { at_prompt_ = true; }
    std::vector<BoardOutcome> take_outcomes() { return std::exchange(outcomes_, {}); }
    // Later operations are dropped after a failure unless this is set (backups go on).
    bool keep_going = false;
    // The variant downloads ask for (a board of older firmware sends checksums only).
    xmodem::Check download_check = xmodem::Check::checksum;

    // Progress of the running operation: 0 to 1000, and what it is.
    int progress() const;
    const BoardRequest* running() const { return step_ ? &current_ : nullptr; }
    std::size_t waiting() const { return waiting_.size(); }

  private:
    void start_next(std::int64_t now_ms);
    void finish(std::int64_t now_ms);

    BoardStepTiming timing_;
    std::deque<BoardRequest> waiting_;
    BoardRequest current_;
    std::unique_ptr<BoardStep> step_;
    std::vector<BoardOutcome> outcomes_;
    std::string output_;
    bool at_prompt_ = false; // the last step left the board at its prompt
};
