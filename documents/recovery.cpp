// Recovery files: written after a pause in typing, removed when the text is safe, offered at start.
#include "documents/recovery.h"

#include "app/app.h"
#include "app/main_window.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recovery_file.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/file_io.h"
#include "tools/saving.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTimer>

#include <ctime>
#include <unistd.h>

namespace {

long own_pid() {
    return static_cast<long>(::getpid());
}

void remove_file(const std::string& path) {
    if (!path.empty()) ::unlink(path.c_str());
}

} // namespace

std::string recovery_folder(const App& app) {
    return app.folders.data + "recovery/";
}

void build_recovery_timer(App& app, QObject* owner) {
    app.recovery.timer = new QTimer(owner);
    app.recovery.timer->setSingleShot(true);
    app.recovery.timer->setInterval(recovery_delay_ms);
    QObject::connect(app.recovery.timer, &QTimer::timeout, [&app]() { keep_recovery_now(app); });
}

void note_change_for_recovery(App& app) {
    if (app.recovery.timer) app.recovery.timer->start();
}

void keep_recovery_now(App& app) {
    if (app.recovery.timer) app.recovery.timer->stop();
    Document* document = app.documents.current_document();
    if (!document || !app.editor) return;
    if (sci_send(app.editor, Sci::SCI_GETMODIFY) == 0) {
        forget_recovery(app, app.documents.current);
        return;
    }
    const std::string folder = recovery_folder(app);
    QDir().mkpath(QFile::decodeName(folder.c_str()));
    if (document->recovery_file.empty())
        document->recovery_file =
            folder + recovery_file_name(own_pid(), std::time(nullptr), ++app.recovery.serial);
    RecoveryEntry entry{own_pid(), std::int64_t(std::time(nullptr)), is_untitled(*document),
                        document->path, document_text(app)};
    WriteResult result = write_file_safely(document->recovery_file, encode_recovery(entry));
    // A box every few seconds would stop the user typing; the status bar says it instead.
    if (!result.ok && app.window)
        app.window->statusBar()->showMessage(QStringLiteral("Couldn't keep a recovery copy: %1")
                                                 .arg(QString::fromStdString(result.error)),
                                             10000);
}

void keep_pending_recovery(App& app) {
    if (app.recovery.timer && app.recovery.timer->isActive()) keep_recovery_now(app);
}

void forget_recovery(App& app, int index) {
    if (index < 0 || index >= app.documents.count()) return;
    Document& document = app.documents.documents[index];
    remove_file(document.recovery_file);
    document.recovery_file.clear();
    if (index == app.documents.current && app.recovery.timer) app.recovery.timer->stop();
}

void forget_all_recovery(App& app) {
    for (int i = 0; i < app.documents.count(); ++i) forget_recovery(app, i);
    if (app.recovery.timer) app.recovery.timer->stop();
}

void offer_recovery(App& app) {
    std::vector<RecoveryFile> files = recovery_files_to_offer(
        read_recovery_folder(recovery_folder(app)), own_pid(), process_is_running);
    if (files.empty()) return;
    std::string text = "Zell Edit did not end normally. Unsaved work was kept for:\n\n";
    for (const RecoveryFile& file : files) text += recovery_summary_line(*file.entry) + "\n";
    text += "\nRecover opens each as an unsaved document; Discard deletes the kept copies.";
    const Answer answer = app.requesters->recovery("Recover unsaved work", text);
    if (answer == Answer::Cancel) return; // kept and offered again at the next start
    for (const RecoveryFile& file : files) {
        if (answer == Answer::Yes) {
            const RecoveryEntry& entry = *file.entry;
            const int index = open_unsaved_document(app, entry.path, entry.text);
            if (index < 0) continue; // the file stays for the next start
            Document& document = app.documents.documents[index];
            force_modified(app); // an empty text would otherwise sit at its save point
            if (!entry.untitled) {
                remember_disk_state(app, index);
                // The file changed after the text was kept: saving would replace that change.
                document.ask_before_overwrite =
                    document.disk.exists && document.disk.mtime_ns / 1000000000 > entry.time;
            }
            keep_recovery_now(app); // a copy of its own, under this run's number
        }
        remove_file(file.file);
    }
}
