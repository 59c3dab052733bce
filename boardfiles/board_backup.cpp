// Backing up the board's drives and options, one queue of operations after another.
#include "boardfiles/board_backup.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_names.h"
#include "ui/requesters.h"

#include <QDate>

#include <deque>
#include <filesystem>
#include <memory>
#include <system_error>
#include <tuple>

namespace {

using Kind = BoardRequest::Kind;
constexpr const char* title = "Back up the board";

struct Backup {
    BoardFiles& files;
    std::string root;     // ends without '/'
    std::string original; // the board's folder before, "A:/games"
    // To list: the drive, the folder's path from its root, and where it goes in the backup.
    std::deque<std::tuple<char, std::string, std::string>> folders;
    std::vector<BoardRequest> downloads;
    std::vector<std::string> failures;
    std::vector<std::string> notes;
    std::size_t copied = 0;
    std::uint64_t bytes = 0;
};
using BackupPtr = std::shared_ptr<Backup>;

void next_folder(const BackupPtr& backup);

void finish(const BackupPtr& backup) {
    std::vector<BoardRequest> restore;
    if (backup->original.size() >= 2) {
        restore.push_back(board_request(Kind::drive, backup->original.substr(0, 2)));
        restore.push_back(board_request(Kind::chdir, backup->original.substr(2).empty()
                                                         ? std::string("/")
                                                         : backup->original.substr(2)));
    }
    auto report = [backup](std::vector<BoardOutcome>&) {
        std::string text = "Copied " + std::to_string(backup->copied) + " file(s), " +
                           std::to_string(backup->bytes) + " bytes, into " + backup->root + ".";
        for (const std::string& note : backup->notes) text += "\n" + note;
        if (!backup->failures.empty()) {
            text += "\n\nNot copied:";
            for (const std::string& failure : backup->failures) text += "\n" + failure;
        }
        backup->files.context().requesters.message(title, text, Buttons::Ok);
        backup->files.refresh();
    };
    if (restore.empty() || !backup->files.run(restore, title, report, true)) {
        std::vector<BoardOutcome> none;
        report(none);
    }
}

void options(const BackupPtr& backup) {
    backup->files.run(
        {board_request(Kind::line, "OPTION LIST")}, title,
        [backup](std::vector<BoardOutcome>& outcomes) {
            if (!outcomes.empty() && outcomes[0].ok) {
                std::string text;
                for (const std::string& line : outcomes[0].lines) text += line + "\n";
                WriteResult written = write_file_safely(backup->root + "/options.txt", text);
                if (written.ok)
                    backup->notes.push_back("The board's options are in options.txt.");
                else
                    backup->failures.push_back("options.txt: " + written.error);
            } else if (!outcomes.empty()) {
                backup->failures.push_back("OPTION LIST: " + outcomes[0].failure);
            }
            finish(backup);
        });
}

void download_all(const BackupPtr& backup) {
    if (backup->downloads.empty()) return options(backup);
    const std::vector<BoardRequest> wanted = backup->downloads;
    for (const BoardRequest& request : backup->downloads) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(request.local).parent_path(),
                                            error);
    }
    backup->files.run(
        std::move(backup->downloads), title,
        [backup, wanted](std::vector<BoardOutcome>& outcomes) {
            bool cancelled = false;
            for (const BoardOutcome& outcome : outcomes) {
                if (outcome.ok) {
                    ++backup->copied;
                    backup->bytes += outcome.data.size();
                } else {
                    backup->failures.push_back(outcome.request.name + ": " + outcome.failure);
                    cancelled = cancelled || outcome.failure == "Cancelled.";
                }
            }
            // Those a Cancel dropped before they began are named too.
            for (std::size_t i = outcomes.size(); i < wanted.size(); ++i)
                backup->failures.push_back(wanted[i].name + ": cancelled before it began.");
            if (cancelled) return finish(backup);
            options(backup);
        },
        true);
}

void next_folder(const BackupPtr& backup) {
    if (backup->folders.empty()) return download_all(backup);
    auto [drive, path, local] = backup->folders.front();
    backup->folders.pop_front();
    const std::string drive_name = std::string(1, drive) + ":";
    std::vector<BoardRequest> requests = {board_request(Kind::drive, drive_name),
                                          board_request(Kind::chdir, "/" + path),
                                          board_request(Kind::list)};
    backup->files.run(
        std::move(requests), title,
        [backup, drive, path, local, drive_name](std::vector<BoardOutcome>& outcomes) {
            const BoardOutcome& last = outcomes.back();
            if (!last.ok) {
                if (path.empty() && last.request.kind == Kind::drive &&
                    last.failure.find("not enabled") != std::string::npos)
                    backup->notes.push_back("Drive " + drive_name + " is not in use.");
                else
                    backup->failures.push_back(drive_name + "/" + path + ": " + last.failure);
                return next_folder(backup);
            }
            std::vector<BoardEntry> entries;
            for (const BoardEntry& entry : last.listing.entries) {
                if (safe_local_name(entry.name))
                    entries.push_back(entry);
                else
                    backup->failures.push_back(drive_name + "/" + path + ": \"" + entry.name +
                                               "\" cannot be a file name on this computer");
            }
            // Names differing only in case would be one file where names ignore case.
            std::vector<std::string> names;
            for (const BoardEntry& entry : entries) names.push_back(entry.name);
            const std::vector<std::string> kept = case_distinct_names(names);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const BoardEntry& entry = entries[i];
                std::string inner = path.empty() ? entry.name : path + "/" + entry.name;
                std::string here = local.empty() ? kept[i] : local + "/" + kept[i];
                if (kept[i] != entry.name)
                    backup->notes.push_back(drive_name + "/" + inner + " is kept as " + here +
                                            ": another name there differs only in letter "
                                            "case.");
                if (entry.folder) {
                    backup->folders.emplace_back(drive, inner, here);
                    continue;
                }
                BoardRequest request = board_request(Kind::download, drive_name + "/" + inner);
                request.local = backup->root + "/" + std::string(1, drive) + "/" + here;
                request.size = entry.size;
                backup->downloads.push_back(std::move(request));
            }
            next_folder(backup);
        });
}

} // namespace

std::string backup_folder_name(const std::string& date) {
    return "board-backup-" + date;
}

void back_up_board(BoardFiles& files) {
    Requesters& requesters = files.context().requesters;
    std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    std::string root = requesters.save_file(
        title, with_separator(files.context().folders.current) + backup_folder_name(date),
        "Folders (*)|*");
    if (root.empty()) return;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    if (file_exists(root) && !is_directory(root)) {
        requesters.message(title, root + " is a file. Choose a name for a new folder.",
                           Buttons::Ok);
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(root, error);
    if (error) {
        requesters.message(title, "Couldn't make " + root + ": " + error.message(), Buttons::Ok);
        return;
    }
    auto backup = std::make_shared<Backup>(Backup{files, root, {}, {}, {}, {}, {}, 0, 0});
    backup->folders = {{'A', "", ""}, {'B', "", ""}};
    files.run({board_request(Kind::line, "PRINT CWD$")}, title,
              [backup](std::vector<BoardOutcome>& outcomes) {
                  if (!outcomes.empty() && outcomes[0].ok && !outcomes[0].lines.empty())
                      backup->original = outcomes[0].lines.back();
                  next_folder(backup);
              });
}
