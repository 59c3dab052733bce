// The recent files list: kept in a small file, shown on the File menu, opened again.
#include "documents/recent_commands.h"

#include "app/app.h"
#include "app/menu_ids.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recent_files.h"

#include <QAction>
#include <QFile>

namespace {

std::string state_path(const App& app) {
    return app.folders.data + view_state_file_name;
}

} // namespace

void load_view_state(App& app) {
    if (app.folders.data.empty()) return;
    ReadResult file = read_whole_file(state_path(app));
    if (file.ok) app.view_state = parse_view_state(file.bytes);
}

void save_view_state(App& app) {
    if (app.folders.data.empty() || !is_directory(app.folders.data)) return;
    write_file_safely(state_path(app), view_state_text(app.view_state));
}

void note_recent_file(App& app, const std::string& path) {
    if (path.empty() || path[0] != '/') return;
    add_recent(app.view_state.recent, path);
    save_view_state(app);
    show_recent_files(app);
}

void show_recent_files(App& app) {
    for (int i = 0; i < static_cast<int>(recent_capacity); ++i) {
        auto found = app.menu_actions.find(menu_id::recent_first + i);
        if (found == app.menu_actions.end()) continue;
        QAction* action = found->second;
        bool used = i < static_cast<int>(app.view_state.recent.size());
        action->setVisible(used);
        if (!used) continue;
        const std::string& path = app.view_state.recent[i];
        action->setText(QString::fromLocal8Bit(recent_item_text(i, path)));
        action->setStatusTip(QFile::decodeName(path.c_str()));
        action->setToolTip(QFile::decodeName(path.c_str()));
    }
}

void open_recent_file(App& app, int index) {
    if (index < 0 || index >= static_cast<int>(app.view_state.recent.size())) return;
    const std::string path = app.view_state.recent[index];
    for (int i = 0; i < app.documents.count(); ++i)
        if (app.documents.documents[i].path == path) {
            activate_document(app, i);
            select_tab(app, i);
            return;
        }
    if (!is_regular_file(path)) {
        remove_recent(app.view_state.recent, path);
        save_view_state(app);
        show_recent_files(app);
        app.requesters->message("Open", path + "\nno longer exists; it was removed from the list.",
                                Buttons::Ok);
        return;
    }
    open_path(app, path);
}
