// Recovery files: written after a pause in typing, removed when the text is safe, offered at start.
#include "documents/recovery.h"

#include "base/file_io.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recovery_file.h"
#include "documents/saving.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long own_pid() {
    return static_cast<long>(::getpid());
}

void remove_file(const std::string& path) {
    if (!path.empty()) ::unlink(path.c_str());
}

void stop_timers(Workspace& ws) {
    if (ws.recovery.timer) ws.recovery.timer->stop();
    if (ws.recovery.longest_timer) ws.recovery.longest_timer->stop();
}

} // namespace

std::string recovery_folder(const Folders& folders) {
    return folders.data + "recovery/";
}

void build_recovery_timer(Workspace& ws, QObject* owner) {
    ws.recovery.timer = new QTimer(owner);
    ws.recovery.timer->setSingleShot(true);
    ws.recovery.timer->setInterval(recovery_delay_ms);
    QObject::connect(ws.recovery.timer, &QTimer::timeout, [&ws]() { keep_recovery_now(ws); });
    // Steady typing never pauses long enough: the text is kept at least this often.
    ws.recovery.longest_timer = new QTimer(owner);
    ws.recovery.longest_timer->setSingleShot(true);
    ws.recovery.longest_timer->setInterval(recovery_longest_ms);
    QObject::connect(ws.recovery.longest_timer, &QTimer::timeout,
                     [&ws]() { keep_recovery_now(ws); });
}

void note_change_for_recovery(Workspace& ws) {
    if (ws.recovery.timer) ws.recovery.timer->start();
    if (ws.recovery.longest_timer && !ws.recovery.longest_timer->isActive())
        ws.recovery.longest_timer->start();
}

bool prepare_recovery_folder(const Folders& folders) {
    const std::string folder = recovery_folder(folders);
    QDir().mkpath(QFile::decodeName(folder.c_str()));
    // The unsaved text of a private file is as private as the file: no other user may list or
    // read the copies (an older folder made with looser bits is tightened too).
    return ::chmod(folder.c_str(), 0700) == 0;
}

bool keep_recovery_now(Workspace& ws) {
    stop_timers(ws);
    Document* document = ws.documents.current_document();
    if (!document || !ws.editor) return true;
    if (sci_modified(ws.editor) == 0) {
        forget_recovery(ws, ws.documents.current);
        return true;
    }
    WriteResult result{false, "the recovery folder can't be made private"};
    if (prepare_recovery_folder(ws.folders)) {
        if (document->recovery_file.empty())
            document->recovery_file =
                recovery_folder(ws.folders) +
                recovery_file_name(own_pid(), std::time(nullptr), ++ws.recovery.serial);
        RecoveryEntry entry{own_pid(), std::int64_t(std::time(nullptr)), is_untitled(*document),
                            document->path, document_text(ws)};
        result = write_file_safely(document->recovery_file, encode_recovery(entry),
                                   ws.file_write_hooks, 0600);
    }
    // A box every few seconds would stop the user typing; the status bar says it instead.
    if (!result.ok && ws.main_window)
        ws.main_window->statusBar()->showMessage(QStringLiteral("Couldn't keep a recovery copy: %1")
                                                     .arg(QString::fromStdString(result.error)),
                                                 10000);
    return result.ok;
}

void keep_pending_recovery(Workspace& ws) {
    if (ws.recovery.timer && ws.recovery.timer->isActive()) keep_recovery_now(ws);
}

void forget_recovery(Workspace& ws, int index) {
    if (index < 0 || index >= ws.documents.count()) return;
    Document& document = ws.documents.documents[index];
    remove_file(document.recovery_file);
    document.recovery_file.clear();
    if (index == ws.documents.current) stop_timers(ws);
}

void forget_all_recovery(Workspace& ws) {
    for (int i = 0; i < ws.documents.count(); ++i) forget_recovery(ws, i);
    stop_timers(ws);
}

void offer_recovery(Workspace& ws) {
    std::vector<RecoveryFile> files = recovery_files_to_offer(
        read_recovery_folder(recovery_folder(ws.folders)), own_pid(), process_is_running);
    if (files.empty()) return;
    std::string text = "Zell Edit did not end normally. Unsaved work was kept for:\n\n";
    for (const RecoveryFile& file : files) text += recovery_summary_line(*file.entry) + "\n";
    text += "\nRecover opens each as an unsaved document; Discard deletes the kept copies.";
    const Answer answer = ws.requesters->recovery("Recover unsaved work", text);
    if (answer == Answer::Cancel) return; // kept and offered again at the next start
    for (const RecoveryFile& file : files) {
        if (answer == Answer::Yes) {
            const RecoveryEntry& entry = *file.entry;
            const int index = open_unsaved_document(ws, entry.path, entry.text);
            if (index < 0) continue; // the file stays for the next start
            Document& document = ws.documents.documents[index];
            force_modified(ws); // an empty text would otherwise sit at its save point
            if (!entry.untitled) {
                remember_disk_state(ws, index);
                // The file changed after the text was kept: saving would replace that change.
                document.ask_before_overwrite =
                    document.disk.exists && document.disk.mtime_ns / 1000000000 > entry.time;
            }
            // The old copy goes only once the new one is on disk. Until then it stays this
            // document's copy: the next keep rewrites it whole, and a crash meanwhile finds it.
            if (!keep_recovery_now(ws)) {
                document.recovery_file = file.file;
                ::chmod(file.file.c_str(), 0600); // kept by an older run with looser bits
                continue;
            }
        }
        remove_file(file.file);
    }
}
