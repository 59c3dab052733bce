// Offering the safety copies of in-place saves that were killed before their end.
#include "documents/interrupted_saves.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "documents/disk_watch.h"
#include "documents/opening.h"
#include "documents/recovery.h"
#include "documents/workspace.h"

#include <ctime>
#include <set>
#include <unistd.h>

namespace {

// The folders of the files the editor had open or saved lately, each once.
std::set<std::string> folders_to_search(const Workspace& ws) {
    std::set<std::string> folders;
    for (const Document& document : ws.documents.documents)
        if (!document.path.empty() && document.report_of.empty())
            folders.insert(folder_of(document.path));
    for (const std::string& path : ws.view_state.recent) folders.insert(folder_of(path));
    folders.erase(std::string());
    return folders;
}

std::string summary_line(const LeftoverCopy& copy) {
    char when[32] = "?";
    const std::time_t time = static_cast<std::time_t>(copy.mtime);
    std::tm local{};
    if (localtime_r(&time, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return copy.target_path + "  (" + when + ", " + std::to_string(copy.size) + " bytes)";
}

} // namespace

void offer_interrupted_saves(Workspace& ws) {
    std::vector<LeftoverCopy> copies;
    for (const std::string& folder : folders_to_search(ws))
        for (LeftoverCopy& copy : leftover_safety_copies(folder)) copies.push_back(std::move(copy));
    if (copies.empty()) return;
    std::string text = "A save was cut short before it ended. What these files held before it "
                       "was kept:\n\n";
    for (const LeftoverCopy& copy : copies) text += summary_line(copy) + "\n";
    text += "\nRecover opens each as an unsaved document; Discard deletes the kept copies.";
    const Answer answer = ws.requesters->recovery("Recover interrupted saves", text);
    if (answer == Answer::Cancel) return; // kept and offered again at the next start
    for (const LeftoverCopy& copy : copies) {
        if (answer == Answer::Yes) {
            ReadResult kept = read_whole_file(copy.copy_path);
            if (!kept.ok) continue;
            const int index = open_unsaved_document(ws, copy.target_path, kept.bytes);
            if (index < 0) continue;
            force_modified(ws); // an empty text would otherwise sit at its save point
            // Saving puts this text back over the half-written file without a question.
            remember_disk_state(ws, index);
            // The copy goes only once the text is kept in a recovery file of its own.
            if (!keep_recovery_now(ws)) continue;
        }
        ::unlink(copy.copy_path.c_str());
    }
}
