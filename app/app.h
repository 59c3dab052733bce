// The application object: the workspace of the documents, and every other record and widget
// of one running editor.
#pragma once

#include "documents/workspace.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class BoardFiles;
class DeviceSession;
struct FindState;
class MainWindow;
class NameChooser;
class PreferencesWindow;
class QAction;
class QMenu;
class QWidget;
class QToolBar;
struct AnalysisState;
struct HelpState;

struct App : Workspace {
    App();
    ~App();

    std::unique_ptr<FindState> find;
    // Keyword help, call tips, completion, the help window and the external links.
    std::unique_ptr<HelpState> help;

    int quit_flag = 0;
    std::string open_file_list; // built at shutdown: every path followed by one LF

    // The main window; the workspace's `main_window` points to it while it exists.
    std::unique_ptr<MainWindow> window;
    // Widgets, owned by the main window.
    QToolBar* toolbar = nullptr;
    QMenu* context_menu = nullptr;
    std::map<int, QAction*> menu_actions;     // menu bar items by id
    PreferencesWindow* preferences = nullptr; // while the preferences window is open
    NameChooser* name_chooser = nullptr;      // Find Sub/Function, made when first asked for
    std::vector<QWidget*> bottom_panels;      // below the editor, top to bottom, shown when visible

    // The connection to a board or a local interpreter; made when first used.
    std::unique_ptr<DeviceSession> device;
    // The board's files, its panel and backups; made when first used.
    std::unique_ptr<BoardFiles> board_files;
    // The analysis of the current program: problems, definitions and uses.
    std::unique_ptr<AnalysisState> analysis;
};
