// The Help menu's parts: the help window's documents and the external links.
#include "help/help_commands.h"

#include "base/file_io.h"
#include "help/editor_help.h"
#include "help/help_files.h"
#include "help/help_state.h"
#include "help/help_window.h"
#include "ui/requesters.h"

#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>

namespace {

void raise_window(HelpWindow& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

bool open_in_browser(const std::string& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

HelpWindow& help_window(HelpState& help, QWidget* parent, std::function<void()> edit_links) {
    if (!help.window) {
        help.window = new HelpWindow(parent);
        help.window->on_edit_links = std::move(edit_links);
    }
    return *help.window;
}

void show_keyword_list(HelpWindow& window, HelpState& help, const Folders& folders,
                       const std::string& keyword_text) {
    window.search_field->clear();
    window.show_keywords(keyword_help(help, folders), keyword_text);
    raise_window(window);
}

void show_guide(HelpWindow& window) {
    window.search_field->clear();
    window.show_document(QStringLiteral("Zell Edit Help"), guide_text());
    raise_window(window);
}

void show_change_log(HelpWindow& window) {
    window.search_field->clear();
    window.show_document(QStringLiteral("Change Log"), change_log_text());
    raise_window(window);
}

bool make_links_file(const Folders& folders, Requesters& requesters) {
    const std::string path = links_file_path(folders);
    if (file_exists(path)) return true;
    const WriteResult written = write_file_safely(path, external_links_text({}));
    if (written.ok) return true;
    requesters.message("External resources", "Couldn't create " + path + "\n" + written.error,
                       Buttons::Ok);
    return false;
}

void open_external_link(HelpState& help, std::size_t index, Requesters& requesters) {
    if (index >= help.links.size()) return;
    const ExternalLink& link = help.links[index];
    if (!help.open_url(link.address))
        requesters.message("External resources",
                           "Couldn't open " + link.address + " for " + link.title, Buttons::Ok);
}

bool external_item_set(const HelpState& help, std::size_t index) {
    if (help.links.empty()) return index == 0;
    return index < help.links.size();
}

void refresh_external_links(HelpState& help, const Folders& folders,
                            std::span<QAction* const> items) {
    ReadResult file = read_whole_file(links_file_path(folders));
    help.links = file.ok ? parse_external_links(file.bytes) : std::vector<ExternalLink>{};
    for (std::size_t index = 0; index < items.size(); ++index) {
        QAction* action = items[index];
        if (!action) continue;
        if (help.links.empty() && index == 0) {
            action->setText(QStringLiteral("Add links\u2026"));
            action->setVisible(true);
            continue;
        }
        const bool set = index < help.links.size();
        // "&" would mark an access key; a title shows as written.
        if (set)
            action->setText(QString::fromStdString(help.links[index].title)
                                .replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setVisible(set);
    }
}
