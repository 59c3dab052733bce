// The file watcher and the questions about files changed by another program.
#include "documents/disk_watch.h"

#include "base/file_io.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/saving.h"
#include "documents/tab_state.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QApplication>
#include <QFile>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <set>

namespace {

// Writers often truncate and then write; a short wait lets the file settle before it is read.
constexpr int settle_ms = 150;

QString qt_path(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

bool is_watched_kind(const Document& document) {
    return document.disk.known && !is_untitled(document) && document.report_of.empty();
}

void schedule_check(Workspace& ws) {
    if (ws.disk.check_timer) ws.disk.check_timer->start();
}

void watch(Workspace& ws, const std::string& path) {
    if (!ws.disk.watcher || !file_exists(path)) return;
    // A file replaced by renaming drops out of the watch list; adding it again picks up the new
    // one. A path still watched is left as it is by the watcher itself (asking its list first
    // would cost time in proportion to the open files, for each file opened).
    if (ws.disk.collecting)
        ws.disk.collected.push_back(path);
    else
        ws.disk.watcher->addPath(qt_path(path));
}

// The watcher, reporting changes to the check timer.
QFileSystemWatcher* make_watcher(Workspace& ws, QObject* owner) {
    auto* watcher = new QFileSystemWatcher(owner);
    QObject::connect(watcher, &QFileSystemWatcher::fileChanged,
                     [&ws](const QString&) { schedule_check(ws); });
    return watcher;
}

void show(Workspace& ws, int index) {
    if (index != ws.documents.current) activate_document(ws, index);
    select_tab(ws, index);
}

// Asks whether to read the changed file again. The answer reads it anew, so what is shown is
// what the file holds then; a change while the question was open asks again about the new text.
void ask_about_change(Workspace& ws, int index) {
    show(ws, index);
    constexpr int most_rounds = 20; // a file rewritten without end is not asked about forever
    for (int round = 0; round < most_rounds; ++round) {
        Document& document = ws.documents.documents[index];
        const bool modified = sci_modified(ws.editor) != 0;
        SettledRead asked = read_settled(document.path);
        if (!asked.file.ok) {
            ws.requesters->message("File changed",
                                   "Couldn't read " + document.path + "\n" + asked.file.error,
                                   Buttons::Ok);
            document.ask_before_overwrite = true; // its new contents are unknown
            return;
        }
        document.disk = asked.stamp;
        // A touch or a copy of the same bytes is no change worth a question.
        if (!modified && asked.file.bytes == document_text(ws)) return;
        std::string text = document.file_name + " was changed by another program. Read it again?";
        if (modified)
            text += "\n\nWarning: your changes in the editor would be replaced by the file's "
                    "contents.";
        const Answer answer = ws.requesters->message(
            "File changed", text, modified ? Buttons::YesNoDefaultNo : Buttons::YesNo);
        Document& answered = ws.documents.documents[index];
        if (answer != Answer::Yes) {
            answered.ask_before_overwrite = true;
            return;
        }
        SettledRead now = read_settled(answered.path);
        if (now.file.ok && now.stamp == asked.stamp) {
            reload_current_document(ws, now.file.bytes, now.stamp);
            return;
        }
    }
    ws.documents.documents[index].ask_before_overwrite = true;
}

void tell_removed(Workspace& ws, int index) {
    show(ws, index);
    force_modified(ws);
    const std::string text = ws.documents.documents[index].file_name +
                             " was deleted or moved by another program; the editor keeps its text.";
    if (ws.main_window)
        ws.main_window->statusBar()->showMessage(QString::fromLocal8Bit(text), 15000);
}

} // namespace

SettledRead read_settled(const std::string& path) {
    constexpr int most_waits = 20;
    for (int wait = 0;; ++wait) {
        const DiskStamp before = disk_stamp_of(path);
        const std::int64_t age_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count() -
                                    before.mtime_ns;
        const bool fresh = before.exists && age_ns >= 0 && age_ns < settle_ms * 1000000LL;
        if (fresh && wait < most_waits) {
            QThread::msleep(settle_ms);
            continue;
        }
        SettledRead read{read_whole_file(path), {}};
        read.stamp = disk_stamp_of(path);
        if (read.stamp == before || wait >= most_waits) return read;
    }
}

void reload_current_document(Workspace& ws, std::string_view bytes, const DiskStamp& stamp) {
    Document* document = ws.documents.current_document();
    if (!document || !ws.editor) return;
    const long line = sci_caret_line(ws.editor);
    const long first_visible = sci_first_visible_line(ws.editor);
    document->line_end = detect_line_end(bytes, document->line_end);
    Q_EMIT ws.document_events.line_end_changed();
    // Undo brings the text of before back, so the save point is set without emptying it.
    set_editor_text(ws, bytes, false);
    sci_set_save_point(ws.editor);
    document->disk = stamp;
    if (is_watched_kind(*document)) watch(ws, document->path);
    document->ask_before_overwrite = false;
    refresh_names_from_text(ws);
    const long last_line = sci_line_count(ws.editor) - 1;
    sci_goto_line(ws.editor, std::min(line, last_line));
    sci_set_first_visible_line(ws.editor, first_visible);
}

void build_disk_watch(Workspace& ws, QObject* owner) {
    ws.disk.watcher = make_watcher(ws, owner);
    ws.disk.check_timer = new QTimer(owner);
    ws.disk.check_timer->setSingleShot(true);
    ws.disk.check_timer->setInterval(settle_ms);
    QObject::connect(ws.disk.check_timer, &QTimer::timeout, [&ws]() { check_files_on_disk(ws); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, owner,
                     [&ws](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive) schedule_check(ws);
                     });
}

void remember_disk_state(Workspace& ws, int index) {
    if (index < 0 || index >= ws.documents.count()) return;
    Document& document = ws.documents.documents[index];
    document.disk = disk_stamp_of(document.path);
    if (is_watched_kind(document)) watch(ws, document.path);
}

void stop_watching(Workspace& ws, int index) {
    if (!ws.disk.watcher || index < 0 || index >= ws.documents.count()) return;
    const std::string& path = ws.documents.documents[index].path;
    for (int i = 0; i < ws.documents.count(); ++i)
        if (i != index && ws.documents.documents[i].path == path) return;
    ws.disk.watcher->removePath(qt_path(path));
}

void begin_watch_batch(Workspace& ws) {
    ws.disk.collecting = true;
}

void end_watch_batch(Workspace& ws) {
    ws.disk.collecting = false;
    if (!ws.disk.watcher || ws.disk.collected.empty()) return;
    QStringList paths;
    for (const std::string& path :
         std::set<std::string>(ws.disk.collected.begin(), ws.disk.collected.end()))
        paths.append(qt_path(path));
    ws.disk.collected.clear();
    ws.disk.watcher->addPaths(paths);
}

void stop_watching_paths(Workspace& ws, const std::vector<std::string>& paths) {
    if (!ws.disk.watcher || paths.empty()) return;
    // The watcher takes out each path at a cost in proportion to all it watches: a fresh one
    // given the paths still open at once is quicker when many close.
    QObject* owner = ws.disk.watcher->parent();
    delete ws.disk.watcher;
    ws.disk.watcher = make_watcher(ws, owner);
    begin_watch_batch(ws);
    for (const Document& document : ws.documents.documents)
        if (is_watched_kind(document)) watch(ws, document.path);
    end_watch_batch(ws);
}

void check_files_on_disk(Workspace& ws) {
    if (!ws.editor) return;
    // A dialog is open (this check's own question among them): asking now would stack a
    // question on top of it, so the check comes again once it has closed.
    if (ws.disk.checking || QApplication::activeModalWidget()) {
        schedule_check(ws);
        return;
    }
    ws.disk.checking = true;
    // The questions neither add nor remove documents, so the positions hold throughout.
    for (int i = 0; i < ws.documents.count(); ++i) {
        Document& document = ws.documents.documents[i];
        if (!is_watched_kind(document)) continue;
        const DiskStamp now = disk_stamp_of(document.path);
        const DiskChange change = disk_change(document.disk, now);
        document.disk = now; // the same change is asked about once
        if (now.exists) watch(ws, document.path);
        if (change == DiskChange::removed)
            tell_removed(ws, i);
        else if (change != DiskChange::none)
            ask_about_change(ws, i);
    }
    ws.disk.checking = false;
}

bool may_overwrite(Workspace& ws, Document& document) {
    // The watch may not have told yet (the editor kept the focus, the file was made anew).
    const DiskChange change = disk_change(document.disk, disk_stamp_of(document.path));
    if (change == DiskChange::changed || change == DiskChange::reappeared)
        document.ask_before_overwrite = true;
    if (!document.ask_before_overwrite) return true;
    if (ws.requesters->message("File changed",
                               document.file_name +
                                   " was changed by another program since the editor read it.\n"
                                   "Replace it with the editor's text?",
                               Buttons::YesNoDefaultNo) != Answer::Yes)
        return false;
    document.ask_before_overwrite = false;
    return true;
}

void force_modified(Workspace& ws) {
    if (!ws.editor) return;
    // Scintilla has no way to leave the save point without a change: one inserted and removed
    // character, undone as one step, leaves the text as it was.
    sci_begin_undo_action(ws.editor);
    sci_insert_text(ws.editor, 0, " ");
    sci_delete_range(ws.editor, 0, 1);
    sci_end_undo_action(ws.editor);
    show_modified_state(ws);
}
