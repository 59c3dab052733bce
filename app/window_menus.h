// Building the main window's menus, toolbar and shortcuts from the command table.
#pragma once

#include "app/menu_table.h"

#include <vector>

struct App;
class MainWindow;
class QMenu;

// Fills `menu` with `entries`; each item runs its command, and the menu's enabled and checked
// states are refreshed from the commands' predicates whenever it opens. With
// `register_actions`, the items are also kept in the application's list of menu actions.
QMenu* build_menu(App& app, QMenu* menu, const std::vector<MenuEntry>& entries,
                  bool register_actions);
void build_toolbar(App& app, MainWindow& window);
void build_shortcuts(App& app, MainWindow& window);
// Ticks the menu items and presses the toolbar buttons whose commands' predicates say so;
// after every command, and wherever an option changes outside a command.
void refresh_check_marks(App& app);
