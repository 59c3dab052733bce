// The recent files list: kept in a small file and shown on the File menu.
#include "documents/recent_commands.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "documents/recent_files.h"
#include "documents/workspace.h"

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

void note_recent_file(Workspace& ws, const std::string& path) {
    if (path.empty() || path[0] != '/') return;
    add_recent(ws.view_state.recent, path);
    save_view_state(ws.view_state, ws.folders);
    Q_EMIT ws.document_events.recent_files_changed();
}

void show_recent_files(const std::vector<std::string>& recent, std::span<QAction* const> items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* action = items[i];
        if (!action) continue;
        bool used = i < recent.size();
        action->setVisible(used);
        if (!used) continue;
        const std::string& path = recent[i];
        action->setText(QString::fromLocal8Bit(recent_item_text(i, path)));
        action->setStatusTip(QFile::decodeName(path.c_str()));
        action->setToolTip(QFile::decodeName(path.c_str()));
    }
}
