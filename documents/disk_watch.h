// Noticing when another program changes or removes the file of an open document.
#pragma once

#include "base/file_io.h"
#include "documents/disk_stamp.h"

#include <string>
#include <string_view>
#include <vector>

struct Workspace;
struct Document;
class QFileSystemWatcher;
class QObject;
class QTimer;

struct DiskWatchState {
    QFileSystemWatcher* watcher = nullptr; // the files of open documents
    QTimer* check_timer = nullptr;         // compares them with the disk once changes settle
    bool checking = false;                 // a check is asking the user
    bool collecting = false;               // paths to watch wait for end_watch_batch
    std::vector<std::string> collected;
};

// The watcher, its settling timer, and a check whenever the application becomes active
// (watchers miss some changes, e.g. on network folders). Owned by `owner`.
void build_disk_watch(Workspace& ws, QObject* owner);
// The editor itself has just read or written the file of the document at `index`: remembers
// how it looks now and watches it, so the editor's own writes never raise the question.
void remember_disk_state(Workspace& ws, int index);
// A file's bytes and the identity of exactly those bytes.
struct SettledRead {
    ReadResult file;
    DiskStamp stamp;
};
// Reads the file once it has stopped changing for a short settle time (writers often write in
// several steps), so the stamp belongs to the bytes read and a later change is noticed.
SettledRead read_settled(const std::string& path);
// Puts the file's bytes in place of the current document's text as one undo step (Restore,
// and Yes to a change on disk): its line end taken again, the caret line and view kept, saved.
// `stamp` is the identity of those bytes, remembered as what the document was read from.
void reload_current_document(Workspace& ws, std::string_view bytes, const DiskStamp& stamp);
// Opening many files: the paths to watch are collected and handed to the watcher at once by
// end_watch_batch (the watcher checks each new path against all it has).
void begin_watch_batch(Workspace& ws);
void end_watch_batch(Workspace& ws);
// The document at `index` is closing: its path is no longer watched unless another has it.
void stop_watching(Workspace& ws, int index);
// Documents of these paths have closed: those no open document has are no longer watched.
void stop_watching_paths(Workspace& ws, const std::vector<std::string>& paths);
// Compares every document with its file and asks about each one another program changed.
void check_files_on_disk(Workspace& ws);
// Before Save overwrites the document's file: when another program changed it since the editor
// last read or wrote it (noticed by the watch, or found now by comparing the file's identity),
// asks first. False when the file must not be written.
bool may_overwrite(Workspace& ws, Document& document);
// Marks the shown document modified without changing its text (one undoable step).
void force_modified(Workspace& ws);
