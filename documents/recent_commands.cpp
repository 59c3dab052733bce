// The recent files list: kept in a small file, shown on the File menu, opened again.
#include "documents/recent_commands.h"

#include "app/app.h"
#include "app/menu_ids.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "documents/recent_files.h"

#include <QAction>
#include <QFile>

namespace {

std::string state_path(const Folders& folders) {
    return folders.data + view_state_file_name;
}

} // namespace

void load_view_state(ViewState& view, const Folders& folders) {
    if (folders.data.empty()) return;
    ReadResult file = read_whole_file(state_path(folders));
    if (file.ok) view = parse_view_state(file.bytes);
}

void save_view_state(const ViewState& view, const Folders& folders) {
    if (folders.data.empty() || !is_directory(folders.data)) return;
    write_file_safely(state_path(folders), view_state_text(view));
}

void note_recent_file(App& app, const std::string& path) {
    if (path.empty() || path[0] != '/') return;
    add_recent(app.view_state.recent, path);
    save_view_state(app.view_state, app.folders);
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
