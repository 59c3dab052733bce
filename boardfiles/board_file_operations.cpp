// The Board files panel's operations: folders, drives, upload, download, delete, rename, new
// folder and opening a board file in a tab. Each runs its commands and then lists the folder
// again; failures are told in one message with the board's words.
#include "boardfiles/board_files.h"
#include "boardfiles/board_names.h"
#include "boardfiles/board_working_copy.h"

#include "base/ascii.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "documents/document_list.h"
#include "ui/requesters.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

using Kind = BoardRequest::Kind;

std::string leaf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Runs `requests`, then lists the folder again; failures are shown in one message.
void then_refresh(BoardFiles& files, std::vector<BoardRequest> requests, const std::string& title) {
    files.run(
        std::move(requests), title,
        [&files, title](std::vector<BoardOutcome>& outcomes) {
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
                files.context().requesters.message(title, text, Buttons::Ok);
            }
        },
        true);
}

// A folder of the computer as board requests: MKDIR for it and each folder inside (parents
// first), an upload for each file, all relative to the board's current folder.
void add_folder_upload(const std::string& path, std::vector<BoardRequest>& requests) {
    namespace fs = std::filesystem;
    const fs::path base(path);
    const std::string top = leaf(path);
    requests.push_back(board_request(Kind::mkdir, top));
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
    for (const std::string& folder : folders)
        requests.push_back(board_request(Kind::mkdir, folder));
    for (const auto& [name, local] : files) {
        BoardRequest request = board_request(Kind::upload, name);
        request.local = local;
        requests.push_back(std::move(request));
    }
}

// A file open with unsaved changes (dragged from its tab or the file manager): the user says
// whether its changes are saved first; the board gets exactly what the file holds. False when
// nothing is to be sent.
bool saved_for_upload(const BoardFilesContext& context, const std::string& path) {
    const int index = context.find_open(path);
    if (index < 0 || !context.documents.documents[static_cast<std::size_t>(index)].modified)
        return true;
    const Answer answer = context.requesters.message(
        "Upload",
        file_name_of(path) + " has changes that are not saved. Save them and send the saved "
                             "file?\n\nNo sends the file as it was last saved; Cancel sends "
                             "nothing.",
        Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    return context.save_document(index); // a failed save was told already
}

} // namespace

void BoardFiles::open_folder(const std::string& name) {
    then_refresh(*this, {board_request(Kind::chdir, name)}, "Open folder");
}

void BoardFiles::switch_drive(char letter) {
    then_refresh(*this, {board_request(Kind::drive, std::string(1, letter) + ":")}, "Drive");
}

void BoardFiles::upload(const std::vector<std::string>& local_paths) {
    std::vector<BoardRequest> requests;
    // The SD card's names ignore case, so "Snake.bas" would replace "SNAKE.BAS" there.
    auto on_board = [this](const std::string& name, bool folder) {
        const std::string upper = upper_text(name);
        return std::any_of(
            listing_.entries.begin(), listing_.entries.end(),
            [&](const BoardEntry& e) { return e.folder == folder && equals_upper(e.name, upper); });
    };
    for (std::string path : local_paths) {
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        const std::string name = leaf(path);
        if (is_directory(path)) {
            if (on_board(name, true) &&
                context_.requesters.message("Upload",
                                            "The folder " + name +
                                                " is already on the board. Replace the files in it "
                                                "that have the same names?",
                                            Buttons::YesNoDefaultNo) != Answer::Yes)
                continue;
            add_folder_upload(path, requests);
            continue;
        }
        if (!is_regular_file(path) || !saved_for_upload(context_, path)) continue;
        if (on_board(name, false) &&
            context_.requesters.message("Upload", name + " is already on the board. Replace it?",
                                        Buttons::YesNoDefaultNo) != Answer::Yes)
            continue;
        BoardRequest request = board_request(Kind::upload, name);
        request.local = path;
        requests.push_back(std::move(request));
    }
    if (requests.empty()) return;
    then_refresh(*this, std::move(requests), "Upload");
}

void BoardFiles::download(const std::vector<BoardEntry>& entries, const std::string& folder,
                          const std::string& single_path) {
    std::vector<BoardRequest> requests;
    // Names differing only in case would be one file where the computer's names ignore case.
    std::vector<std::string> names;
    for (const BoardEntry& entry : entries) names.push_back(entry.name);
    const std::vector<std::string> kept = case_distinct_names(names);
    std::string renamed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const BoardEntry& entry = entries[i];
        if (entry.folder) continue;
        if (!safe_local_name(entry.name)) {
            context_.requesters.message("Download",
                                        "\"" + entry.name +
                                            "\" cannot be a file name here; it is "
                                            "left on the board.",
                                        Buttons::Ok);
            continue;
        }
        BoardRequest request = board_request(Kind::download, entry.name);
        request.local = !single_path.empty() && entries.size() == 1
                            ? single_path
                            : folder + (folder.ends_with('/') ? "" : "/") + kept[i];
        if (kept[i] != entry.name && request.local.ends_with(kept[i]))
            renamed += "\n" + entry.name + " as " + kept[i];
        request.size = entry.size;
        if (file_exists(request.local) &&
            context_.requesters.message("Download", request.local + " exists. Replace it?",
                                        Buttons::YesNoDefaultNo) != Answer::Yes)
            continue;
        requests.push_back(std::move(request));
    }
    if (requests.empty()) return;
    if (!renamed.empty())
        context_.requesters.message("Download",
                                    "These names differ from others only in letter case; they are "
                                    "kept apart here as:" +
                                        renamed,
                                    Buttons::Ok);
    then_refresh(*this, std::move(requests), "Download");
}

void BoardFiles::remove(const std::vector<BoardEntry>& entries) {
    if (entries.empty()) return;
    std::string names;
    std::vector<BoardRequest> requests;
    for (const BoardEntry& entry : entries) {
        names += "\n" + entry.name + (entry.folder ? " (folder)" : "");
        requests.push_back(board_request(entry.folder ? Kind::rmdir : Kind::kill, entry.name));
    }
    if (context_.requesters.message("Delete",
                                    "Delete from " + listing_.folder + " on the board?\n" + names,
                                    Buttons::YesNoDefaultNo) != Answer::Yes)
        return;
    then_refresh(*this, std::move(requests), "Delete");
}

void BoardFiles::rename(const BoardEntry& entry) {
    std::optional<std::string> name = context_.requesters.input("Rename", "New name:", entry.name);
    if (!name || name->empty() || *name == entry.name) return;
    BoardRequest request = board_request(Kind::rename, entry.name);
    request.new_name = *name;
    then_refresh(*this, {request}, "Rename");
}

void BoardFiles::new_folder() {
    std::optional<std::string> name = context_.requesters.input("New folder", "Folder name:", "");
    if (!name || name->empty()) return;
    then_refresh(*this, {board_request(Kind::mkdir, *name)}, "New folder");
}

void BoardFiles::open_in_tab(const BoardEntry& entry) {
    if (entry.folder || listing_.folder.size() < 2) return;
    if (!safe_local_name(entry.name)) {
        context_.requesters.message("Open from the board",
                                    "\"" + entry.name + "\" cannot be a file name here.",
                                    Buttons::Ok);
        return;
    }
    // One working folder per board, then the drive and the folders as on the board.
    std::string board = identity_.device.empty() ? std::string("board") : identity_.device;
    for (char& c : board)
        if (c == '/' || c == '\\' || c == '.') c = '_';
    std::string inner = listing_.folder.substr(2);
    while (inner.starts_with('/')) inner.erase(0, 1);
    std::string local = with_separator(context_.folders.data) + "boards/" + board + "/" +
                        std::string(1, listing_.folder[0]) + "/" +
                        (inner.empty() ? "" : inner + "/") + entry.name;
    if (context_.find_open(local) >= 0) {
        context_.open_path(local);
        return;
    }
    // The working copy may hold saved changes that were never sent back to the board.
    if (file_exists(local)) {
        const Answer answer = context_.requesters.message(
            "Open from the board",
            local + " is already here and may hold changes not sent to the board. Replace it "
                    "with the board's file? (No opens the copy that is here.)",
            Buttons::YesNoCancel);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::No) {
            context_.open_path(local);
            return;
        }
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(local).parent_path(), error);
    BoardRequest request = board_request(Kind::download, entry.name);
    request.local = local;
    request.size = entry.size;
    BoardOrigin origin{identity_.device, board_path(listing_.folder, entry.name), entry.date,
                       entry.time, entry.size};
    run({request}, "Open from the board", [this, local, origin](auto& outcomes) {
        if (outcomes.empty() || !outcomes[0].ok) {
            context_.requesters.message(
                "Open from the board",
                "The file could not be fetched: " +
                    (outcomes.empty() ? std::string("cancelled.") : outcomes[0].failure),
                Buttons::Ok);
            return;
        }
        // Written before the tab opens, so the tab shows where the file came from.
        keep_working_copy_origin(context_.requesters, local, origin);
        context_.open_path(local);
    });
}
