// Working copies of board files: their records, their tabs, and sending them back on Save.
#include "boardfiles/board_working_copy.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_names.h"
#include "device/device_session.h"
#include "ui/requesters.h"

#include <memory>

namespace {

using Kind = BoardRequest::Kind;
constexpr const char* title = "Send to the board";

bool in_working_folder(const Folders& folders, const std::string& path) {
    return path.starts_with(with_separator(folders.data) + "boards/");
}

// Back to the folder the board showed before (`cwd` as PRINT CWD$ gives it: "A:/games").
void add_way_back(std::vector<BoardRequest>& requests, const std::string& cwd) {
    if (cwd.size() < 2 || cwd[1] != ':') return;
    requests.push_back(board_request(Kind::drive, cwd.substr(0, 2)));
    requests.push_back(
        board_request(Kind::chdir, cwd.size() > 2 ? cwd.substr(2) : std::string("/")));
}

std::string listed_text(const std::string& date, const std::string& time, std::int64_t size) {
    return time + " " + date + ", " + std::to_string(size) + " bytes";
}

// One sending back, from the look at the board's folder to the new record.
struct SendBack {
    BoardFiles& files;
    std::string local;
    BoardOrigin origin;
    std::string drive, folder, name;
    std::string cwd; // where the board was before
};
using SendBackPtr = std::shared_ptr<SendBack>;

void go_back(const SendBackPtr& send) {
    std::vector<BoardRequest> requests;
    add_way_back(requests, send->cwd);
    BoardFiles& files = send->files;
    if (requests.empty() || !files.run(
                                requests, title, [&files](auto&) { files.refresh(); }, true))
        files.refresh();
}

void upload(const SendBackPtr& send) {
    BoardRequest request = board_request(Kind::upload, send->origin.path);
    request.local = send->local;
    // The listing after it gives the new date and size for the record.
    std::vector<BoardRequest> requests = {request, board_request(Kind::list)};
    add_way_back(requests, send->cwd);
    BoardFiles& files = send->files;
    files.run(
        std::move(requests), title,
        [send, &files](std::vector<BoardOutcome>& outcomes) {
            files.refresh();
            const BoardOutcome* sent = outcomes.empty() ? nullptr : &outcomes[0];
            if (!sent || !sent->ok) {
                send->files.context().requesters.message(
                    title,
                    file_name_of(send->local) + " was not sent to " + origin_caption(send->origin) +
                        ": " + (sent ? sent->failure : std::string("Cancelled.")) +
                        "\nIt stays saved on this computer.",
                    Buttons::Ok);
                return;
            }
            BoardOrigin now = send->origin;
            now.size = -1; // unknown until listed: the next Save asks
            now.date = now.time = "";
            if (outcomes.size() > 1 && outcomes[1].ok)
                if (const BoardEntry* entry = find_listed_file(outcomes[1].listing, send->name)) {
                    now.date = entry->date;
                    now.time = entry->time;
                    now.size = entry->size;
                }
            keep_working_copy_origin(files.context().requesters, send->local, now);
            files.note("Sent " + file_name_of(send->local) + " to " + origin_caption(now) + ".");
        },
        true);
}

// The board's folder is listed: its file is replaced only when it is still the one fetched,
// or the user says so.
void check_and_upload(const SendBackPtr& send, std::vector<BoardOutcome>& outcomes) {
    const BoardOutcome* listed = nullptr;
    std::string failure = "Cancelled.";
    for (const BoardOutcome& outcome : outcomes) {
        if (!outcome.ok) {
            failure = outcome.failure;
            break;
        }
        if (outcome.request.kind == Kind::line && !outcome.lines.empty())
            send->cwd = outcome.lines.back();
        if (outcome.request.kind == Kind::list) listed = &outcome;
    }
    if (!listed) {
        send->files.context().requesters.message(
            title,
            "The board's folder " + send->drive + send->folder +
                " could not be looked at: " + failure + "\n" + file_name_of(send->local) +
                " was not sent; it stays saved on this computer.",
            Buttons::Ok);
        return go_back(send);
    }
    const BoardEntry* there = find_listed_file(listed->listing, send->name);
    if (there && board_copy_changed(send->origin, *there)) {
        const std::string fetched =
            send->origin.size < 0
                ? std::string("not known")
                : listed_text(send->origin.date, send->origin.time, send->origin.size);
        const Answer answer = send->files.context().requesters.message(
            title,
            "The board's " + send->origin.path + " changed since it was fetched (on the board " +
                listed_text(there->date, there->time, there->size) + "; fetched: " + fetched +
                ").\n\nReplace it with the file saved here? No keeps the board's version; the "
                "file stays saved on this computer.",
            Buttons::YesNoDefaultNo);
        if (answer != Answer::Yes) return go_back(send);
    }
    upload(send);
}

} // namespace

std::optional<BoardOrigin> working_copy_origin(const Folders& folders, const std::string& local) {
    if (!in_working_folder(folders, local)) return std::nullopt;
    ReadResult record = read_whole_file(origin_record_path(local));
    if (!record.ok) return std::nullopt;
    return parse_origin(record.bytes);
}

bool keep_working_copy_origin(Requesters& requesters, const std::string& local,
                              const BoardOrigin& origin) {
    WriteResult written = write_file_safely(origin_record_path(local), format_origin(origin));
    if (!written.ok)
        requesters.message("Open from the board",
                           "Couldn't note where " + local + " came from: " + written.error +
                               "\nSave will not offer to send it back to the board.",
                           Buttons::Ok);
    return written.ok;
}

void say_not_sent(Requesters& requesters, const std::string& local, const BoardOrigin& origin) {
    requesters.message(title,
                       file_name_of(local) +
                           " is saved on this computer. No board is connected, so it was not "
                           "sent to " +
                           origin_caption(origin) + ".",
                       Buttons::Ok);
}

void offer_to_send_back(BoardFiles& files, const std::string& local, const BoardOrigin& origin) {
    auto send = std::make_shared<SendBack>(SendBack{files, local, origin, {}, {}, {}, {}});
    split_board_path(origin.path, send->drive, send->folder, send->name);
    Requesters& requesters = files.context().requesters;
    if (files.session().state() != LinkState::connected) {
        say_not_sent(requesters, local, origin);
        return;
    }
    const BoardIdentity& identity = files.identity();
    std::string question = "Send " + file_name_of(local) + " to " + origin_caption(origin) + "?";
    if (identity.known && !origin.device.empty() && identity.device != origin.device)
        question += "\n\nThe board connected now is a " + identity.device + ".";
    question += "\n\nNo keeps it on this computer only.";
    if (requesters.message(title, question, Buttons::YesNo) != Answer::Yes) return;
    std::vector<BoardRequest> requests = {
        board_request(Kind::line, "PRINT CWD$"), board_request(Kind::drive, send->drive),
        board_request(Kind::chdir, send->folder), board_request(Kind::list)};
    files.run(std::move(requests), title,
              [send](std::vector<BoardOutcome>& outcomes) { check_and_upload(send, outcomes); });
}
