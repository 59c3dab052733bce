// The File menu's recent files bound to the application: each item opens its entry and is
// shown only while the list has one.
#include "app/recent_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "base/file_io.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recent_commands.h"
#include "documents/recent_files.h"

#include <QMainWindow>
#include <QObject>

#include <vector>

namespace {

// Opens the entry, or activates its document when it is open already; an entry whose file
// is gone leaves the list, with a word why.
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
        save_view_state(app.view_state, app.folders);
        show_recent_files(app);
        app.requesters->message("Open", path + "\nno longer exists; it was removed from the list.",
                                Buttons::Ok);
        return;
    }
    open_path(app, path);
}

template <int Index> void open_entry(App& app) {
    open_recent_file(app, Index);
}
template <int Index> bool entry_exists(const App& app) {
    return Index < static_cast<int>(app.view_state.recent.size());
}

constexpr Command recent_command_table[] = {
    {menu_id::recent_first + 0, nullptr, nullptr, open_entry<0>, entry_exists<0>},
    {menu_id::recent_first + 1, nullptr, nullptr, open_entry<1>, entry_exists<1>},
    {menu_id::recent_first + 2, nullptr, nullptr, open_entry<2>, entry_exists<2>},
    {menu_id::recent_first + 3, nullptr, nullptr, open_entry<3>, entry_exists<3>},
    {menu_id::recent_first + 4, nullptr, nullptr, open_entry<4>, entry_exists<4>},
    {menu_id::recent_first + 5, nullptr, nullptr, open_entry<5>, entry_exists<5>},
    {menu_id::recent_first + 6, nullptr, nullptr, open_entry<6>, entry_exists<6>},
    {menu_id::recent_first + 7, nullptr, nullptr, open_entry<7>, entry_exists<7>},
    {menu_id::recent_first + 8, nullptr, nullptr, open_entry<8>, entry_exists<8>},
    {menu_id::recent_first + 9, nullptr, nullptr, open_entry<9>, entry_exists<9>},
};
static_assert(menu_id::recent_last - menu_id::recent_first + 1 == recent_capacity);

} // namespace

std::span<const Command> recent_commands() {
    return recent_command_table;
}

void show_recent_files(App& app) {
    std::vector<QAction*> items;
    for (int id = menu_id::recent_first; id <= menu_id::recent_last; ++id) {
        auto found = app.menu_actions.find(id);
        items.push_back(found == app.menu_actions.end() ? nullptr : found->second);
    }
    show_recent_files(app.view_state.recent, items);
}

void connect_recent_files(App& app) {
    QObject::connect(&app.document_events, &DocumentEvents::recent_files_changed, app.main_window,
                     [&app]() { show_recent_files(app); });
    show_recent_files(app);
}
