// The application object: every record and every widget of one running editor.
#pragma once

#include "base/file_io.h"
#include "base/folders.h"
#include "base/settings.h"
#include "documents/disk_watch.h"
#include "documents/document_list.h"
#include "documents/recent_files.h"
#include "documents/recovery.h"
#include "documents/status_line.h"
#include "ui/requesters.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class BoardFiles;
class DeviceSession;
class EditorAccessibility;
struct FindState;
class EditorWidget;
class MainWindow;
class NameChooser;
class PreferencesWindow;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QTimer;
class QWidget;
class QToolBar;
class TabBarWidget;
struct AnalysisState;
struct EditorRecord;
struct HelpState;

// Identity of the running program.
struct Identity {
    std::string program_name = "Zell Edit";
    std::string version = "V0.9";
    std::string executable_name;
    std::string os_version = "Win";
    std::string window_title() const { return program_name + " " + version; }
};

struct App {
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The editor's accessibility while no assistive technology listens; first in, last out.
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
    RecoveryState recovery; // the pause timer of the recovery files
    DiskWatchState disk;    // watching the documents' files for other programs' changes
    ViewState view_state;   // the recent files and the text size
    std::unique_ptr<FindState> find;
    // Keyword help, call tips, completion, the help window and the external links.
    std::unique_ptr<HelpState> help;

    int quit_flag = 0;
    std::string open_file_list; // built at shutdown: every path followed by one LF

    // Widgets, owned by the main window.
    std::unique_ptr<MainWindow> window;
    EditorWidget* editor = nullptr;
    TabBarWidget* tab_bar = nullptr;
    QListWidget* label_list = nullptr;
    // Fills the label list with the program's outline (set by the analysis); the list's
    // "Outline" choice uses it instead of the names.
    void (*show_outline)(App& app) = nullptr;
    QSplitter* splitter = nullptr;
    QToolBar* toolbar = nullptr;
    StatusLine status_line; // column, line, path and file format
    QMenu* context_menu = nullptr;
    std::map<int, QAction*> menu_actions;     // menu bar items by id
    PreferencesWindow* preferences = nullptr; // while the preferences window is open
    NameChooser* name_chooser = nullptr;      // Find Sub/Function, made when first asked for
    std::vector<QWidget*> bottom_panels;      // below the editor, top to bottom, shown when visible
    QTimer* names_timer = nullptr;            // collects the names again once an edit settles
    QTimer* label_list_timer = nullptr;       // refills the label list once per batch of names

    // The connection to a board or a local interpreter; made when first used.
    std::unique_ptr<DeviceSession> device;
    // The board's files, its panel and backups; made when first used.
    std::unique_ptr<BoardFiles> board_files;
    // The analysis of the current program: problems, definitions and uses.
    std::unique_ptr<AnalysisState> analysis;
};
