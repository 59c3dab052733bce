// The board files' menu items (connecting, the panel, the board's program, backups, the clock
// and the screen capture), the board files made from the running application, and the hooks
// that show working copies in their tabs and offer to send them back on Save.
#include "app/board_files_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/device_command_list.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "boardfiles/board_backup.h"
#include "boardfiles/board_capture.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_files_commands.h"
#include "boardfiles/board_files_context.h"
#include "boardfiles/board_restore.h"
#include "boardfiles/board_working_copy.h"
#include "device/device_session.h"
#include "documents/document_commands.h"
#include "documents/document_events.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/tab_state.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "help/editor_help.h"

#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>

#include <algorithm>

namespace {

// The panel shares the label list's column, under it, so the editor keeps its width.
bool place_board_files_panel(App& app, QWidget* panel) {
    if (!app.splitter || !app.label_list) return false;
    const QList<int> sizes = app.splitter->sizes();
    const int index = app.splitter->indexOf(app.label_list);
    auto* column = new QSplitter(Qt::Vertical);
    column->setObjectName(QStringLiteral("label_column"));
    column->setChildrenCollapsible(false);
    app.splitter->replaceWidget(index, column);
    column->addWidget(app.label_list);
    app.label_list->show();
    column->addWidget(panel);
    column->setStretchFactor(0, 1);
    column->setStretchFactor(1, 3);
    if (sizes.size() == 2) {
        const int total = sizes[0] + sizes[1];
        const int wanted = std::max(sizes[1], panel->minimumSizeHint().width());
        app.splitter->setSizes({std::max(total - wanted, 1), wanted});
    }
    return true;
}

bool save_document_at(App& app, int position) {
    activate_document(app, position);
    select_tab(app, position);
    save(app);
    return app.editor && sci_modified(app.editor) == 0;
}

void new_document_holding(App& app, const std::string& text) {
    new_document(app);
    set_editor_text(app, text, false);
}

// The board files, following the link from the first moment.
BoardFiles& watched_board_files(App& app) {
    BoardFiles& files = board_files(app);
    watch_board_files(
        files, [&app]() -> const KeywordHelp& { return keyword_help(*app.help, app.folders); });
    return files;
}

void connect_and_watch(App& app) {
    watched_board_files(app);
    connect_to_chosen_board(device_session(app));
}

void toggle_board_files(App& app) {
    watched_board_files(app).toggle_panel();
}

bool board_files_shown(const App& app) {
    return app.board_files && app.board_files->panel_visible();
}

bool board_connected(const App& app) {
    return app.device && app.device->state() == LinkState::connected && !app.device->transferring();
}

constexpr Command board_files_command_table[] = {
    {menu_id::connect, "Connect to Maximite", nullptr, connect_and_watch},
    {menu_id::connect_program, "Connect to Maximite", nullptr, connect_and_watch},
    {menu_id::board_files, "Board files", nullptr, toggle_board_files, nullptr, board_files_shown},
    {menu_id::fetch_program, "Fetch the board's program", nullptr,
     [](App& app) { fetch_board_program(board_files(app)); }, board_connected},
    {menu_id::back_up_board, "Back up the board", nullptr,
     [](App& app) { back_up_board(board_files(app)); }, board_connected},
    {menu_id::restore_board_files, "Restore files to the board", nullptr,
     [](App& app) { restore_files(board_files(app)); }, board_connected},
    {menu_id::set_board_clock, "Set the board's clock", nullptr,
     [](App& app) { set_board_clock(board_files(app)); }, board_connected},
    {menu_id::capture_board_screen, "Capture the board's screen", nullptr,
     [](App& app) { capture_board_screen(board_files(app)); }, board_connected},
};

} // namespace

std::span<const Command> board_files_commands() {
    return board_files_command_table;
}

BoardFilesContext board_files_context(App& app) {
    return {app.settings,
            app.folders,
            *app.requesters,
            app.documents,
            app.window.get(),
            app.window ? app.window->statusBar() : nullptr,
            [&app](QWidget* panel) { return place_board_files_panel(app, panel); },
            [&app](const std::string& path) { return find_open_document(app, path); },
            [&app](const std::string& path) { return open_path(app, path); },
            [&app](int position) { return save_document_at(app, position); },
            [&app](const std::string& text) { new_document_holding(app, text); }};
}

BoardFiles& board_files(App& app) {
    if (!app.board_files)
        app.board_files =
            std::make_unique<BoardFiles>(device_session(app), board_files_context(app));
    return *app.board_files;
}

void install_board_files(App& app) {
    QObject::connect(&app.document_events, &DocumentEvents::created, [&app](int index) {
        Document& document = app.documents.documents[static_cast<std::size_t>(index)];
        if (std::optional<BoardOrigin> origin = working_copy_origin(app.folders, document.path)) {
            document.origin = origin_caption(*origin);
            show_tab_of(app.tab_bar, app.documents, index);
        }
    });
    QObject::connect(&app.document_events, &DocumentEvents::saved, [&app](int index) {
        Document& document = app.documents.documents[static_cast<std::size_t>(index)];
        std::optional<BoardOrigin> origin = working_copy_origin(app.folders, document.path);
        // Saved elsewhere, the document is no longer the board file's working copy.
        document.origin = origin ? origin_caption(*origin) : std::string();
        show_tab_of(app.tab_bar, app.documents, index);
        if (!origin) return;
        // The board's objects are made only once a board is connected.
        if (app.device && app.device->state() == LinkState::connected)
            offer_to_send_back(board_files(app), document.path, *origin);
        else
            say_not_sent(*app.requesters, document.path, *origin);
    });
}
