// Running the board file operations one after another.
#include "boardfiles/board_queue.h"

#include "base/file_io.h"
#include "boardfiles/board_names.h"

#include <algorithm>
#include <utility>

std::string board_command(const BoardRequest& request) {
    using Kind = BoardRequest::Kind;
    const std::string name = board_string(request.name);
    switch (request.kind) {
    case Kind::list:
        return "FILES";
    case Kind::upload:
        return "XMODEM RECEIVE " + name;
    case Kind::download:
        return "XMODEM SEND " + name;
    case Kind::fetch_program:
        return "XMODEM SEND";
    case Kind::kill:
        return "KILL " + name;
    case Kind::rename:
        return "RENAME " + name + " AS " + board_string(request.new_name);
    case Kind::mkdir:
        return "MKDIR " + name;
    case Kind::rmdir:
        return "RMDIR " + name;
    case Kind::chdir:
        return "CHDIR " + name;
    case Kind::drive:
        return "DRIVE " + name;
    case Kind::line:
        return request.name;
    }
    return {};
}

BoardQueue::BoardQueue(BoardStepTiming timing) : timing_(timing) {}

void BoardQueue::add(BoardRequest request) {
    waiting_.push_back(std::move(request));
}

void BoardQueue::start_next(std::int64_t now_ms) {
    while (!step_ && !waiting_.empty()) {
        current_ = std::move(waiting_.front());
        waiting_.pop_front();
        std::string payload;
        if (current_.kind == BoardRequest::Kind::upload) {
            ReadResult read = read_whole_file(current_.local);
            if (!read.ok) {
                BoardOutcome outcome{current_, false, current_.local + ": " + read.error,
                                     {},       {},    {}};
                outcomes_.push_back(std::move(outcome));
                if (!keep_going) waiting_.clear();
                continue;
            }
            payload = std::move(read.bytes);
        }
        step_ = std::make_unique<BoardStep>(board_command(current_), !at_prompt_, timing_, now_ms);
        if (current_.kind == BoardRequest::Kind::upload) step_->upload(std::move(payload));
        if (current_.kind == BoardRequest::Kind::download ||
            current_.kind == BoardRequest::Kind::fetch_program)
            step_->download(download_check);
        output_ += step_->take_output();
        if (step_->over()) finish(now_ms);
    }
}

void BoardQueue::finish(std::int64_t now_ms) {
    using Kind = BoardRequest::Kind;
    BoardOutcome outcome;
    outcome.request = current_;
    outcome.ok = step_->ok();
    outcome.failure = step_->failure();
    outcome.lines = step_->lines();
    at_prompt_ = step_->ok() && step_->at_prompt();
    if (outcome.ok && current_.kind == Kind::list) {
        outcome.listing = parse_listing(outcome.lines);
        if (!outcome.listing.complete) {
            outcome.ok = false;
            outcome.failure = "The board's listing ended without its summary line.";
        }
    }
    if (outcome.ok && current_.kind == Kind::fetch_program) {
        std::string data = step_->data();
        while (!data.empty() && (data.back() == '\0' || data.back() == 0x1A)) data.pop_back();
        outcome.data = std::move(data);
    }
    if (outcome.ok && current_.kind == Kind::download) {
        std::string data = step_->data();
        if (current_.size > static_cast<std::int64_t>(data.size())) {
            outcome.ok = false;
            outcome.failure = "The board sent " + std::to_string(data.size()) +
                              " bytes of a file listed with " + std::to_string(current_.size) + ".";
        } else if (!only_padding_past(data, current_.size)) {
            outcome.ok = false;
            outcome.failure = "The file is longer on the board than when it was listed. Refresh "
                              "the list and download it again.";
        } else {
            outcome.data = cut_download(std::move(data), current_.size, current_.name);
            WriteResult written = write_file_safely(current_.local, outcome.data);
            if (!written.ok) {
                outcome.ok = false;
                outcome.failure = current_.local + ": " + written.error;
            }
        }
    }
    output_ += step_->take_output();
    step_.reset();
    if (!outcome.ok && !keep_going) waiting_.clear();
    outcomes_.push_back(std::move(outcome));
    start_next(now_ms);
}

std::string BoardQueue::receive(std::string_view bytes, std::int64_t now_ms) {
    if (!step_) return std::string(bytes);
    std::string shown = step_->receive(bytes, now_ms);
    if (step_->over()) finish(now_ms);
    return shown;
}

void BoardQueue::tick(std::int64_t now_ms) {
    if (!step_) start_next(now_ms);
    if (!step_) return;
    step_->tick(now_ms);
    if (step_->over()) finish(now_ms);
}

std::string BoardQueue::take_output() {
    if (step_) output_ += step_->take_output();
    return std::exchange(output_, {});
}

void BoardQueue::cancel() {
    waiting_.clear();
    if (step_) {
        step_->cancel();
        finish(0);
    }
}

void BoardQueue::link_lost() {
    waiting_.clear();
    at_prompt_ = false;
    if (step_) {
        step_->link_lost();
        finish(0);
    }
}

int BoardQueue::progress() const {
    if (!step_) return 0;
    std::size_t total = step_->blocks_total();
    if (current_.kind == BoardRequest::Kind::download && current_.size > 0)
        total = static_cast<std::size_t>((current_.size + 127) / 128);
    if (total == 0) return 0;
    return static_cast<int>(std::min<std::size_t>(step_->blocks_done() * 1000 / total, 1000));
}
