// Noticing when another program changes or removes the file of an open document.
#pragma once

#include <string_view>

#include <string>

struct App;
struct Document;
class QFileSystemWatcher;
class QObject;
class QTimer;

struct DiskWatchState {
    QFileSystemWatcher* watcher = nullptr; // the files of open documents
    QTimer* check_timer = nullptr;         // compares them with the disk once changes settle
    bool checking = false;                 // a check is asking the user
};

// The watcher, its settling timer, and a check whenever the application becomes active
// (watchers miss some changes, e.g. on network folders). Owned by `owner`.
void build_disk_watch(App& app, QObject* owner);
// The editor itself has just read or written the file of the document at `index`: remembers
// how it looks now and watches it, so the editor's own writes never raise the question.
void remember_disk_state(App& app, int index);
// Puts the file's bytes in place of the current document's text as one undo step (Restore,
// and Yes to a change on disk): its line end taken again, the caret line and view kept, saved.
void reload_current_document(App& app, std::string_view bytes);
// The document at `index` is closing: its path is no longer watched unless another has it.
void stop_watching(App& app, int index);
// Compares every document with its file and asks about each one another program changed.
void check_files_on_disk(App& app);
// Before Save overwrites a file another program changed (and the user kept the editor's text):
// asks once more. False when the file must not be written.
bool may_overwrite(App& app, Document& document);
// Marks the shown document modified without changing its text (one undoable step).
void force_modified(App& app);
