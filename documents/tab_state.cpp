// The tabs' captions, tooltips and marks, the window title, and the tab shortcuts.
#include "documents/tab_state.h"

#include "documents/document_commands.h"
#include "documents/saving.h"
#include "documents/tabbar.h"
#include "documents/tabbar_widget.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QShortcut>

namespace {

void show_window_title(QMainWindow* window, const Identity& identity, const Document* document) {
    if (!window) return;
    std::string title = identity.window_title();
    if (document) title += " - " + document->file_name + (document->modified ? " *" : "");
    window->setWindowTitle(QString::fromLocal8Bit(title));
}

void move_to_tab(Workspace& ws, int step) {
    int count = ws.documents.count();
    if (count < 2) return;
    int next = ((ws.documents.current + step) % count + count) % count;
    activate_document(ws, next);
    select_tab(ws, next);
}

void add_shortcut(Workspace& ws, const QKeySequence& keys, void (*run)(Workspace&)) {
    auto* shortcut = new QShortcut(keys, ws.main_window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, [&ws, run]() { run(ws); });
}

} // namespace

std::string tab_caption(const Document& document) {
    return document.modified ? document.file_name + " *" : document.file_name;
}

void describe_tab(TabItem& item, const Document& document) {
    item.tooltip = document.origin.empty() ? document.path : document.origin;
    item.flags = document.origin.empty() ? item.flags & ~tabbar_item_flag_marked
                                         : item.flags | tabbar_item_flag_marked;
}

void show_tab_of(TabBarWidget* tab_bar, const DocumentList& documents, int position) {
    if (!tab_bar || position < 0 || position >= documents.count()) return;
    const Document& document = documents.documents[position];
    TabBar& bar = tab_bar->bar();
    if (position < static_cast<int>(bar.items.size())) describe_tab(bar.items[position], document);
    tab_bar->set_item_text(position, tab_caption(document));
}

void show_modified_state(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (document && ws.editor) {
        bool modified = sci_modified(ws.editor) != 0;
        if (modified != document->modified) {
            document->modified = modified;
            show_tab_of(ws.tab_bar, ws.documents, ws.documents.current);
        }
    }
    show_window_title(ws.main_window, ws.identity, document);
}

void install_tab_shortcuts(Workspace& ws) {
    if (!ws.main_window) return;
    add_shortcut(ws, QKeySequence(Qt::CTRL | Qt::Key_Tab), [](Workspace& a) { move_to_tab(a, 1); });
    // Shift+Tab arrives as Backtab on most platforms.
    add_shortcut(ws, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                 [](Workspace& a) { move_to_tab(a, -1); });
    add_shortcut(ws, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                 [](Workspace& a) { move_to_tab(a, -1); });
    add_shortcut(ws, QKeySequence(Qt::CTRL | Qt::Key_W),
                 [](Workspace& a) { close_with_prompt(a, a.documents.current, 0); });
}
