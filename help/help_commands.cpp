// The Help menu's commands: Syntax Help, the user guide, the change log and the external links.
#include "help/help_commands.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "base/file_io.h"
#include "documents/opening.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "help/editor_help.h"
#include "help/help_files.h"
#include "help/help_state.h"
#include "help/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QUrl>

namespace {

// The links file opened as a document, made first (with a line saying how) when missing.
void edit_links(App& app) {
    const std::string path = links_file_path(app.folders);
    if (!file_exists(path)) {
        const WriteResult written = write_file_safely(path, external_links_text({}));
        if (!written.ok) {
            app.requesters->message("External resources",
                                    "Couldn't create " + path + "\n" + written.error, Buttons::Ok);
            return;
        }
    }
    open_files(app, path);
    show_and_raise(app);
}

HelpWindow& help_window(App& app) {
    HelpState& help = *app.help;
    if (!help.window) {
        help.window = new HelpWindow(app.window.get());
        help.window->on_edit_links = [&app]() { edit_links(app); };
    }
    return *help.window;
}

void raise_window(HelpWindow& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// Syntax Help: the keyword's call tip, or the list of every keyword. The current document
// stays as it is.
void syntax_help(App& app) {
    if (show_keyword_tip(app)) return;
    HelpWindow& window = help_window(app);
    window.search_field->clear();
    window.show_keywords(keyword_help(app), app.keyword_text);
    raise_window(window);
}

void editor_help(App& app) {
    HelpWindow& window = help_window(app);
    window.search_field->clear();
    window.show_document(QStringLiteral("Zell Edit Help"), guide_text());
    raise_window(window);
}

void change_log(App& app) {
    HelpWindow& window = help_window(app);
    window.search_field->clear();
    window.show_document(QStringLiteral("Change Log"), change_log_text());
    raise_window(window);
}

template <int N> void open_link(App& app) {
    const std::size_t index = N - menu_id::external_first;
    const std::vector<ExternalLink>& links = app.help->links;
    // With no link set, the first item is "Add links…".
    if (links.empty() && N == menu_id::external_first) {
        edit_links(app);
        return;
    }
    if (index >= links.size()) return;
    const ExternalLink& link = links[index];
    if (!app.help->open_url(link.address))
        app.requesters->message("External resources",
                                "Couldn't open " + link.address + " for " + link.title,
                                Buttons::Ok);
}

template <int N> bool link_set(App& app) {
    if (app.help->links.empty()) return N == menu_id::external_first;
    return static_cast<std::size_t>(N - menu_id::external_first) < app.help->links.size();
}

constexpr Command help_command_table[] = {
    {menu_id::syntax_help, syntax_help},
    {menu_id::editor_help, editor_help},
    {menu_id::change_log, change_log},
    {menu_id::external_first, open_link<81>, link_set<81>},
    {menu_id::external_first + 1, open_link<82>, link_set<82>},
    {menu_id::external_first + 2, open_link<83>, link_set<83>},
    {menu_id::external_first + 3, open_link<84>, link_set<84>},
    {menu_id::external_first + 4, open_link<85>, link_set<85>},
    {menu_id::external_first + 5, open_link<86>, link_set<86>},
};
static_assert(menu_id::external_last - menu_id::external_first + 1 == most_external_links);

bool open_in_browser(const std::string& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

} // namespace

std::span<const Command> help_commands() {
    return help_command_table;
}

void refresh_external_links(App& app) {
    ReadResult file = read_whole_file(links_file_path(app.folders));
    app.help->links = file.ok ? parse_external_links(file.bytes) : std::vector<ExternalLink>{};
    for (int id = menu_id::external_first; id <= menu_id::external_last; ++id) {
        auto found = app.menu_actions.find(id);
        if (found == app.menu_actions.end()) continue;
        const std::size_t index = static_cast<std::size_t>(id - menu_id::external_first);
        QAction* action = found->second;
        if (app.help->links.empty() && id == menu_id::external_first) {
            action->setText(QStringLiteral("Add links\u2026"));
            action->setVisible(true);
            continue;
        }
        const bool set = index < app.help->links.size();
        // "&" would mark an access key; a title shows as written.
        if (set)
            action->setText(QString::fromStdString(app.help->links[index].title)
                                .replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setVisible(set);
    }
}

void connect_help(App& app) {
    if (!app.help->open_url) app.help->open_url = open_in_browser;
    if (EditorWidget* editor = app.editor) {
        QObject::connect(editor, &EditorWidget::char_added, editor,
                         [&app](int ch) { help_char_added(app, ch); });
        QObject::connect(editor, &EditorWidget::ui_updated, editor,
                         [&app](int) { help_update_ui(app); });
        QObject::connect(editor, &EditorWidget::completion_wanted, editor,
                         [&app]() { show_completion(app); });
    }
    refresh_external_links(app);
    // The links file is read again each time the submenu opens, so an edit shows at once.
    auto first = app.menu_actions.find(menu_id::external_first);
    if (first != app.menu_actions.end())
        if (auto* submenu = qobject_cast<QMenu*>(first->second->parent()))
            QObject::connect(submenu, &QMenu::aboutToShow,
                             [&app]() { refresh_external_links(app); });
}
