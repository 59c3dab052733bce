// Putting a backup folder back onto the board.
#include "boardfiles/board_restore.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "boardfiles/board_files.h"
#include "ui/requesters.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
constexpr const char* title = "Restore files";
} // namespace

void collect_backup(const std::string& root, std::vector<RestoreItem>& files,
                    std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    for (const char* drive : {"A", "B"}) {
        fs::path base = fs::path(root) / drive;
        std::error_code error;
        if (!fs::is_directory(base, error)) continue;
        for (fs::recursive_directory_iterator it(base, error), end; !error && it != end;
             it.increment(error)) {
            std::string inner = fs::relative(it->path(), base, error).generic_string();
            std::string board = std::string(drive) + ":/" + inner;
            if (it->is_directory(error))
                folders.push_back(board);
            else if (it->is_regular_file(error))
                files.push_back({it->path().string(), board});
        }
    }
    std::sort(folders.begin(), folders.end()); // parents before their children
    std::sort(files.begin(), files.end(),
              [](const RestoreItem& a, const RestoreItem& b) { return a.board < b.board; });
}

void restore_files(BoardFiles& board) {
    Requesters& requesters = board.context().requesters;
    std::string root = requesters.save_file(
        title, with_separator(board.context().folders.current) + "board-backup", "Folders (*)|*");
    if (root.empty()) return;
    std::vector<RestoreItem> files;
    std::vector<std::string> folders;
    collect_backup(root, files, folders);
    if (files.empty()) {
        requesters.message(title,
                           root + " holds no backup: its files are kept in the subfolders "
                                  "\"A\" and \"B\", one for each drive.",
                           Buttons::Ok);
        return;
    }
    if (requesters.message(title,
                           "Put " + std::to_string(files.size()) + " file(s) from " + root +
                               " back onto the board? Files of the same name on the board "
                               "are replaced.",
                           Buttons::YesNoDefaultNo) != Answer::Yes)
        return;
    std::vector<BoardRequest> requests;
    for (const std::string& folder : folders)
        requests.push_back(board_request(BoardRequest::Kind::mkdir, folder));
    for (const RestoreItem& item : files) {
        BoardRequest request = board_request(BoardRequest::Kind::upload, item.board);
        request.local = item.local;
        requests.push_back(std::move(request));
    }
    board.run(
        std::move(requests), title,
        [&board](std::vector<BoardOutcome>& outcomes) {
            std::size_t sent = 0;
            std::string failures;
            for (const BoardOutcome& outcome : outcomes) {
                bool upload = outcome.request.kind == BoardRequest::Kind::upload;
                if (outcome.ok) {
                    sent += upload ? 1 : 0;
                } else if (upload || outcome.failure.find("already exists") == std::string::npos) {
                    failures += "\n" + outcome.request.name + ": " + outcome.failure;
                }
            }
            board.context().requesters.message(
                title,
                "Put " + std::to_string(sent) + " file(s) onto the board." +
                    (failures.empty() ? "" : "\n\nNot put back:" + failures),
                Buttons::Ok);
            board.refresh();
        },
        true);
}
