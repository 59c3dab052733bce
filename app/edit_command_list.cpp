// The Edit menu's undo and clipboard items and the Font menu, bound to the editing control;
// each greyed out or checked from the editor's state when a menu opens.
#include "app/edit_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "editor/edit_commands.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QKeySequence>
#include <QShortcut>

namespace {

// The zoom of each Font item: Medium is the configured size.
constexpr int zoom_of_font_item(int id) {
    switch (id) {
    case menu_id::font_small:
        return -2;
    case menu_id::font_bigger:
        return 2;
    case menu_id::font_biggest:
        return 4;
    default:
        return 0;
    }
}

template <int Id> bool font_item_checked(const App& app) {
    return sci_zoom(app.editor) == zoom_of_font_item(Id);
}
template <int Id> void choose_font_item(App& app) {
    zoom_editor(app, zoom_of_font_item(Id));
}
bool has_selection(const App& app) {
    return editor_has_selection(app.editor);
}

constexpr Command editor_command_table[] = {
    {menu_id::undo, "undo\tCtrl+Z", nullptr, [](App& app) { sci_undo(app.editor); },
     [](const App& app) { return sci_can_undo(app.editor) != 0; }},
    {menu_id::redo, "redo\tCtrl+Y", nullptr, [](App& app) { sci_redo(app.editor); },
     [](const App& app) { return sci_can_redo(app.editor) != 0; }},
    {menu_id::cut, "cut\tCtrl+X", nullptr, [](App& app) { sci_cut(app.editor); }, has_selection},
    {menu_id::copy, "copy\tCtrl+C", nullptr, [](App& app) { sci_copy(app.editor); }, has_selection},
    {menu_id::paste, "Paste\tCtrl+V", nullptr, [](App& app) { sci_paste(app.editor); },
     [](const App& app) { return editor_can_paste(app.editor); }},
    {menu_id::font_small, "Small", nullptr, choose_font_item<menu_id::font_small>, nullptr,
     font_item_checked<menu_id::font_small>},
    {menu_id::font_medium, "Medium", nullptr, choose_font_item<menu_id::font_medium>, nullptr,
     font_item_checked<menu_id::font_medium>},
    {menu_id::font_bigger, "Bigger", nullptr, choose_font_item<menu_id::font_bigger>, nullptr,
     font_item_checked<menu_id::font_bigger>},
    {menu_id::font_biggest, "Biggest", nullptr, choose_font_item<menu_id::font_biggest>, nullptr,
     font_item_checked<menu_id::font_biggest>},
};

void add_zoom_shortcut(App& app, const QKeySequence& keys, int step) {
    auto* shortcut = new QShortcut(keys, app.window.get());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, [&app, step]() {
        int zoom = step == 0 ? 0 : int(sci_zoom(app.editor)) + step;
        zoom_editor(app, zoom);
    });
}

} // namespace

std::span<const Command> editor_commands() {
    return editor_command_table;
}

void zoom_editor(App& app, int zoom) {
    app.view_state.zoom = set_editor_zoom(app.editor, zoom);
}

void install_zoom_shortcuts(App& app) {
    if (!app.window) return;
    // Ctrl+= is Ctrl+Plus on keyboards where plus needs Shift; the keypad keys come too.
    add_zoom_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_Plus), 1);
    add_zoom_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    add_zoom_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_Minus), -1);
    add_zoom_shortcut(app, QKeySequence(Qt::CTRL | Qt::Key_0), 0);
}
