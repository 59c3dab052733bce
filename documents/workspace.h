// What the documents' lifecycle works on: the open documents, the editor that shows them and
// the controls beside it, the records kept about them, and the window they sit in. The
// application record derives from it and adds the rest (finding, help, the board, menus).
#pragma once

#include "base/file_io.h"
#include "base/folders.h"
#include "base/identity.h"
#include "base/settings.h"
#include "documents/disk_watch.h"
#include "documents/document_events.h"
#include "documents/document_list.h"
#include "documents/recent_files.h"
#include "documents/recovery.h"
#include "documents/status_line.h"
#include "ui/requesters.h"

#include <memory>
#include <string>

class EditorAccessibility;
class EditorWidget;
class QListWidget;
class QMainWindow;
class QSplitter;
class QTimer;
class TabBarWidget;
struct EditorRecord;

struct Workspace {
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The editor's accessibility while no assistive technology listens; first in, last out:
    // a base is destroyed after the members of the record derived from it, so this outlives
    // every widget, the window included.
    std::unique_ptr<EditorAccessibility> accessibility;
    Identity identity;
    Folders folders;
    Settings settings;
    std::string keyword_text;
    std::string intro_text;
    std::string command_line_list; // every argument preceded by one LF

    std::unique_ptr<Requesters> requesters;
    // How program and intro files are written; tests inject write failures here.
    FileWriteHooks file_write_hooks;
    std::unique_ptr<EditorRecord> editor_record;
    DocumentList documents;
    // Documents made and saved, and what the documents ask of the window.
    DocumentEvents document_events;
    RecoveryState recovery; // the pause timer of the recovery files
    DiskWatchState disk;    // watching the documents' files for other programs' changes
    ViewState view_state;   // the recent files and the text size

    // Widgets, owned by the main window; null until it is built.
    QMainWindow* main_window = nullptr; // status bar messages, title, parent of dialogs
    EditorWidget* editor = nullptr;
    TabBarWidget* tab_bar = nullptr;
    QListWidget* label_list = nullptr;
    QSplitter* splitter = nullptr;
    StatusLine status_line;             // column, line, path and file format
    QTimer* names_timer = nullptr;      // collects the names again once an edit settles
    QTimer* label_list_timer = nullptr; // refills the label list once per batch of names
};
