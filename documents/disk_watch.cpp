// The file watcher and the questions about files changed by another program.
#include "documents/disk_watch.h"

#include "app/app.h"
#include "app/main_window.h"
#include "app/view_commands.h"
#include "documents/document_commands.h"
#include "documents/tab_state.h"
#include "editor/editor_widget.h"
#include "editor/name_refresh.h"
#include "editor/sci.h"
#include "tools/file_io.h"
#include "tools/saving.h"

#include <QApplication>
#include <QFile>
#include <QFileSystemWatcher>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

// Writers often truncate and then write; a short wait lets the file settle before it is read.
constexpr int settle_ms = 150;

QString qt_path(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

bool is_watched_kind(const Document& document) {
    return document.disk.known && !is_untitled(document) && document.report_of.empty();
}

void watch(App& app, const std::string& path) {
    if (!app.disk.watcher || !file_exists(path)) return;
    // A file replaced by renaming drops out of the watch list; adding it again picks up the new
    // one.
    if (!app.disk.watcher->files().contains(qt_path(path)))
        app.disk.watcher->addPath(qt_path(path));
}

void show(App& app, int index) {
    if (index != app.documents.current) activate_document(app, index);
    select_tab(app, index);
}

void ask_about_change(App& app, int index) {
    show(app, index);
    Document& document = app.documents.documents[index];
    const bool modified = sci_send(app.editor, Sci::SCI_GETMODIFY) != 0;
    // A touch or a copy of the same bytes is no change worth a question.
    ReadResult file = read_whole_file(document.path);
    if (file.ok && !modified && file.bytes == document_text(app)) return;
    if (!file.ok) {
        app.requesters->message("File changed",
                                "Couldn't read " + document.path + "\n" + file.error, Buttons::Ok);
        document.ask_before_overwrite = true; // its new contents are unknown
        return;
    }
    std::string text = document.file_name + " was changed by another program. Read it again?";
    if (modified)
        text += "\n\nWarning: your changes in the editor would be replaced by the file's contents.";
    if (app.requesters->message("File changed", text, Buttons::YesNo) == Answer::Yes)
        reload_current_document(app, file.bytes);
    else
        app.documents.documents[index].ask_before_overwrite = true;
}

void tell_removed(App& app, int index) {
    show(app, index);
    force_modified(app);
    const std::string text = app.documents.documents[index].file_name +
                             " was deleted or moved by another program; the editor keeps its text.";
    if (app.window) app.window->statusBar()->showMessage(QString::fromLocal8Bit(text), 15000);
}

void schedule_check(App& app) {
    if (app.disk.check_timer) app.disk.check_timer->start();
}

} // namespace

void reload_current_document(App& app, std::string_view bytes) {
    Document* document = app.documents.current_document();
    if (!document || !app.editor) return;
    const long line = sci_caret_line(app.editor);
    const long first_visible = sci_send(app.editor, Sci::SCI_GETFIRSTVISIBLELINE);
    document->line_end = detect_line_end(bytes, document->line_end);
    show_document_line_end(app);
    // Undo brings the text of before back, so the save point is set without emptying it.
    set_editor_text(app, bytes, false);
    sci_send(app.editor, Sci::SCI_SETSAVEPOINT);
    remember_disk_state(app, app.documents.current);
    document->ask_before_overwrite = false;
    refresh_names_from_text(app);
    const long last_line = sci_line_count(app.editor) - 1;
    sci_send(app.editor, Sci::SCI_GOTOLINE, static_cast<unsigned long>(std::min(line, last_line)));
    sci_send(app.editor, Sci::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(first_visible));
}

void build_disk_watch(App& app, QObject* owner) {
    app.disk.watcher = new QFileSystemWatcher(owner);
    app.disk.check_timer = new QTimer(owner);
    app.disk.check_timer->setSingleShot(true);
    app.disk.check_timer->setInterval(settle_ms);
    QObject::connect(app.disk.check_timer, &QTimer::timeout,
                     [&app]() { check_files_on_disk(app); });
    QObject::connect(app.disk.watcher, &QFileSystemWatcher::fileChanged,
                     [&app](const QString&) { schedule_check(app); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, owner,
                     [&app](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive) schedule_check(app);
                     });
}

void remember_disk_state(App& app, int index) {
    if (index < 0 || index >= app.documents.count()) return;
    Document& document = app.documents.documents[index];
    document.disk = disk_stamp_of(document.path);
    if (is_watched_kind(document)) watch(app, document.path);
}

void stop_watching(App& app, int index) {
    if (!app.disk.watcher || index < 0 || index >= app.documents.count()) return;
    const std::string& path = app.documents.documents[index].path;
    for (int i = 0; i < app.documents.count(); ++i)
        if (i != index && app.documents.documents[i].path == path) return;
    app.disk.watcher->removePath(qt_path(path));
}

void check_files_on_disk(App& app) {
    if (!app.editor) return;
    // A dialog is open (this check's own question among them): asking now would stack a
    // question on top of it, so the check comes again once it has closed.
    if (app.disk.checking || QApplication::activeModalWidget()) {
        schedule_check(app);
        return;
    }
    app.disk.checking = true;
    // The questions neither add nor remove documents, so the positions hold throughout.
    for (int i = 0; i < app.documents.count(); ++i) {
        Document& document = app.documents.documents[i];
        if (!is_watched_kind(document)) continue;
        const DiskStamp now = disk_stamp_of(document.path);
        const DiskChange change = disk_change(document.disk, now);
        document.disk = now; // the same change is asked about once
        if (now.exists) watch(app, document.path);
        if (change == DiskChange::removed)
            tell_removed(app, i);
        else if (change != DiskChange::none)
            ask_about_change(app, i);
    }
    app.disk.checking = false;
}

bool may_overwrite(App& app, Document& document) {
    if (!document.ask_before_overwrite) return true;
    if (app.requesters->message("File changed",
                                document.file_name +
                                    " was changed by another program since the editor read it.\n"
                                    "Replace it with the editor's text?",
                                Buttons::YesNo) != Answer::Yes)
        return false;
    document.ask_before_overwrite = false;
    return true;
}

void force_modified(App& app) {
    if (!app.editor) return;
    // Scintilla has no way to leave the save point without a change: one inserted and removed
    // character, undone as one step, leaves the text as it was.
    sci_send(app.editor, Sci::SCI_BEGINUNDOACTION);
    sci_send_text(app.editor, Sci::SCI_INSERTTEXT, 0, " ");
    sci_send(app.editor, Sci::SCI_DELETERANGE, 0, 1);
    sci_send(app.editor, Sci::SCI_ENDUNDOACTION);
    show_modified_state(app);
}
