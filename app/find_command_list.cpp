// The Find menu items and keys: the find bar made in the window on first use, and the
// Find Sub/Function chooser.
#include "app/find_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "base/text_conversion.h"
#include "documents/name_refresh.h"
#include "documents/name_scan.h"
#include "documents/navigation.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "find/find_bar.h"
#include "find/find_commands.h"
#include "find/find_state.h"
#include "find/name_chooser.h"

#include <QKeySequence>
#include <QShortcut>

namespace {

// The bar below the editor, with F3 and Shift+F3 on the window.
void make_find_bar(App& app) {
    if (!app.window) return;
    auto* bar = new FindBar(app.window->centralWidget());
    bar->hide();
    app.find->bar = bar;
    app.bottom_panels.push_back(bar);
    connect_find_bar(bar, app.editor, [&app]() { return find_context(app); });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), app.window.get());
    QObject::connect(next, &QShortcut::activated,
                     [&app]() { find_next(find_context(app), false); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), app.window.get());
    QObject::connect(previous, &QShortcut::activated,
                     [&app]() { find_next(find_context(app), true); });
}

void open_bar(App& app, bool replace) {
    if (app.window) open_find_bar(find_context(app), replace);
}

void find_name_command(App& app) {
    if (!app.editor || !app.window) return;
    if (!app.name_chooser) {
        app.name_chooser = new NameChooser(app.window.get());
        app.name_chooser->on_chosen = [&app](long line) { jump_to_name_line(app, line); };
    }
    app.name_chooser->show_names(named_lines(utf8_to_bytes(sci_text(app.editor))));
}

constexpr Command find_command_table[] = {
    {menu_id::find_replace, "Find/Replace\tCtrl+H", nullptr, [](App& app) { open_bar(app, true); }},
    {menu_id::find_key, nullptr, "Ctrl+F", [](App& app) { open_bar(app, false); }},
    {menu_id::replace_key, nullptr, "Ctrl+H", [](App& app) { open_bar(app, true); }},
    {menu_id::find_name, "Find Sub/Function", nullptr, find_name_command},
};

} // namespace

std::span<const Command> find_commands() {
    return find_command_table;
}

FindContext find_context(App& app) {
    return {app.editor, *app.find, [&app]() { make_find_bar(app); },
            [&app]() { lay_out_splitter(app); }, [&app]() { schedule_names_refresh(app); }};
}
