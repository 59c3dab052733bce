// The menus, the toolbar and the keyboard shortcuts of the main window, built from the command
// table, and their check marks.
#include "app/window_menus.h"

#include "app/app.h"
#include "app/commands.h"
#include "app/main_window.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>

namespace {

// Greys out and checks the items of an opening menu from the commands' predicates.
void refresh_menu_states(App& app, QMenu* menu) {
    for (QAction* action : menu->actions()) {
        bool is_id = false;
        int id = action->data().toInt(&is_id);
        if (!is_id || id == 0) continue;
        action->setEnabled(is_command_enabled(app, id));
        if (action->isCheckable()) action->setChecked(is_command_checked(app, id));
    }
}

} // namespace

QMenu* build_menu(App& app, QMenu* menu, const std::vector<MenuEntry>& entries,
                  bool register_actions) {
    QObject::connect(menu, &QMenu::aboutToShow, [&app, menu]() { refresh_menu_states(app, menu); });
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Submenu: {
            QMenu* sub = menu->addMenu(QString::fromStdString(entry.text));
            QObject::connect(sub, &QMenu::aboutToShow,
                             [&app, sub]() { refresh_menu_states(app, sub); });
            for (int id = entry.id; id <= entry.last_id; ++id) {
                QAction* action = sub->addAction(QString::fromLatin1(submenu_placeholder));
                action->setData(id);
                QObject::connect(action, &QAction::triggered,
                                 [&app, id]() { run_command(app, id); });
                if (register_actions) app.menu_actions[id] = action;
            }
            break;
        }
        case MenuEntry::Kind::Item: {
            int id = entry.id;
            QAction* action = menu->addAction(QString::fromStdString(command_menu_text(id)));
            action->setData(id);
            QObject::connect(action, &QAction::triggered, [&app, id]() { run_command(app, id); });
            if (register_actions) {
                action->setCheckable(is_checkable_command(id));
                app.menu_actions[id] = action;
            }
            break;
        }
        }
    }
    return menu;
}

void build_toolbar(App& app, MainWindow& window) {
    app.toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    app.toolbar->setObjectName(QStringLiteral("toolbar"));
    app.toolbar->setMovable(false);
    app.toolbar->setFloatable(false);
    app.toolbar->setIconSize(QSize(16, 16));
    app.toolbar->toggleViewAction()->setEnabled(false);
    for (const ToolbarButton& button : toolbar_table()) {
        if (button.id == 0) {
            app.toolbar->addSeparator();
            continue;
        }
        QAction* action = app.toolbar->addAction(
            QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromStdString(button.image))),
            QString::fromStdString(button.tooltip));
        action->setToolTip(QString::fromStdString(button.tooltip));
        action->setData(button.id);
        int id = button.id;
        // Ticked commands (the View toggles) show their state as pressed buttons.
        action->setCheckable(is_checkable_command(id));
        QObject::connect(action, &QAction::triggered, [&app, id]() { run_command(app, id); });
    }
}

void build_shortcuts(App& app, MainWindow& window) {
    for (const auto& [id, keys] : command_shortcuts()) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(keys)), &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, [&app, id]() { run_command(app, id); });
    }
}

void show_context_menu(App& app, const QPoint& global_pos) {
    if (app.context_menu) app.context_menu->popup(global_pos);
}

void refresh_check_marks(App& app) {
    for (const auto& [id, action] : app.menu_actions)
        if (action->isCheckable()) action->setChecked(is_command_checked(app, id));
    if (!app.toolbar) return;
    for (QAction* action : app.toolbar->actions())
        if (action->isCheckable())
            action->setChecked(is_command_checked(app, action->data().toInt()));
}
