#include "documents/tab_state.h"

#include "app/app.h"
#include "app/main_window.h"
#include "documents/document_commands.h"
#include "documents/saving.h"
#include "documents/tabbar.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QKeySequence>
#include <QShortcut>

namespace {

void show_window_title(App& app, const Document* document) {
    if (!app.window) return;
    std::string title = app.identity.window_title();
    if (document) title += " - " + document->file_name + (document->modified ? " *" : "");
    app.window->setWindowTitle(QString::fromLocal8Bit(title));
}

void move_to_tab(App& app, int step) {
    int count = app.documents.count();
    if (count < 2) return;
    int next = ((app.documents.current + step) % count + count) % count;
    activate_document(app, next);
    select_tab(app, next);
}

void add_shortcut(App& app, const QKeySequence& keys, void (*run)(App&)) {
    auto* shortcut = new QShortcut(keys, app.window.get());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, [&app, run]() { run(app); });
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

void show_tab_of(App& app, int position) {
    if (!app.tab_bar || position < 0 || position >= app.documents.count()) return;
    const Document& document = app.documents.documents[position];
    TabBar& bar = app.tab_bar->bar();
    if (position < static_cast<int>(bar.items.size())) describe_tab(bar.items[position], document);
    set_tab_text(app, position, tab_caption(document));
}

void show_modified_state(App& app) {
    Document* document = app.documents.current_document();
    if (document && app.editor) {
        bool modified = sci_modified(app.editor) != 0;
        if (modified != document->modified) {
            document->modified = modified;
            show_tab_of(app, app.documents.current);
        }
    }
    show_window_title(app, document);
}

void install_tab_shortcuts(App& app) {
    if (!app.window) return;
    add_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_Tab), [](App& a) { move_to_tab(a, 1); });
    // Shift+Tab arrives as Backtab on most platforms.
    add_shortcut(app, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                 [](App& a) { move_to_tab(a, -1); });
    add_shortcut(app, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                 [](App& a) { move_to_tab(a, -1); });
    add_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_W),
                 [](App& a) { close_with_prompt(a, a.documents.current, 0); });
}
