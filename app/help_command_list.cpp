// The Help menu's items: Syntax Help, the user guide, the change log and the external links;
// and the call tips and completion following the editor.
#include "app/help_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "help/editor_help.h"
#include "help/help_commands.h"
#include "help/help_files.h"
#include "help/help_state.h"

#include <QAction>
#include <QMenu>

#include <array>

namespace {

// The links file opened as a document, made first (with a line saying how) when missing.
void edit_links(App& app) {
    if (!make_links_file(app.folders, *app.requesters)) return;
    open_files(app, links_file_path(app.folders));
    show_and_raise(app);
}

HelpWindow& window_of(App& app) {
    return help_window(*app.help, app.window.get(), [&app]() { edit_links(app); });
}

// Syntax Help: the keyword's call tip, or the list of every keyword. The current document
// stays as it is.
void syntax_help(App& app) {
    if (show_keyword_tip(editor_help_context(app))) return;
    show_keyword_list(window_of(app), *app.help, app.folders, app.keyword_text);
}

template <int N> void open_link(App& app) {
    const std::size_t index = N - menu_id::external_first;
    // With no link set, the first item is "Add links…".
    if (app.help->links.empty() && index == 0)
        edit_links(app);
    else
        open_external_link(*app.help, index, *app.requesters);
}

template <int N> bool link_set(const App& app) {
    return external_item_set(*app.help, N - menu_id::external_first);
}

constexpr Command help_command_table[] = {
    {menu_id::syntax_help, "Syntax Help", "F1", syntax_help},
    {menu_id::editor_help, "Zell Edit Help", nullptr, [](App& app) { show_guide(window_of(app)); }},
    {menu_id::change_log, "Change Log", nullptr, [](App& app) { show_change_log(window_of(app)); }},
    {menu_id::external_first, nullptr, nullptr, open_link<81>, link_set<81>},
    {menu_id::external_first + 1, nullptr, nullptr, open_link<82>, link_set<82>},
    {menu_id::external_first + 2, nullptr, nullptr, open_link<83>, link_set<83>},
    {menu_id::external_first + 3, nullptr, nullptr, open_link<84>, link_set<84>},
    {menu_id::external_first + 4, nullptr, nullptr, open_link<85>, link_set<85>},
    {menu_id::external_first + 5, nullptr, nullptr, open_link<86>, link_set<86>},
};
static_assert(menu_id::external_last - menu_id::external_first + 1 == most_external_links);

} // namespace

std::span<const Command> help_commands() {
    return help_command_table;
}

EditorHelpContext editor_help_context(App& app) {
    return {app.editor,
            *app.help,
            app.folders,
            app.keyword_text,
            app.documents.current_names,
            app.settings.options.upper_case == 1};
}

void refresh_external_links(App& app) {
    std::array<QAction*, menu_id::external_last - menu_id::external_first + 1> items{};
    for (int id = menu_id::external_first; id <= menu_id::external_last; ++id)
        if (auto found = app.menu_actions.find(id); found != app.menu_actions.end())
            items[static_cast<std::size_t>(id - menu_id::external_first)] = found->second;
    refresh_external_links(*app.help, app.folders, items);
}

void connect_help(App& app) {
    if (!app.help->open_url) app.help->open_url = open_in_browser;
    if (EditorWidget* editor = app.editor) {
        QObject::connect(editor, &EditorWidget::char_added, editor,
                         [&app](int ch) { help_char_added(editor_help_context(app), ch); });
        QObject::connect(editor, &EditorWidget::ui_updated, editor,
                         [&app](int) { help_update_ui(app.editor, *app.help); });
        QObject::connect(editor, &EditorWidget::completion_wanted, editor,
                         [&app]() { show_completion(editor_help_context(app)); });
    }
    refresh_external_links(app);
    // The links file is read again each time the submenu opens, so an edit shows at once.
    auto first = app.menu_actions.find(menu_id::external_first);
    if (first != app.menu_actions.end())
        if (auto* submenu = qobject_cast<QMenu*>(first->second->parent()))
            QObject::connect(submenu, &QMenu::aboutToShow,
                             [&app]() { refresh_external_links(app); });
}
