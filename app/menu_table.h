// The menu bar, context menu and toolbar as data: where each command appears, the submenus'
// titles, and the buttons' tooltips and images.
#pragma once

#include <string>
#include <vector>

struct MenuEntry {
    enum class Kind { Item, Submenu, Separator };
    Kind kind = Kind::Item;
    int id = 0;       // for a submenu: the first id of its items
    int last_id = 0;  // for a submenu: the last id of its items
    std::string text; // a submenu's title, "&" before the access key; items take their command's
};

struct MenuSpec {
    std::string title;
    std::vector<MenuEntry> entries;
};

struct ToolbarButton {
    int id = 0; // 0 = separator
    std::string tooltip;
    std::string image; // resource name of the 16 x 16 image
};

std::vector<MenuSpec> menu_bar_table();
std::vector<MenuEntry> context_menu_table();
std::vector<ToolbarButton> toolbar_table();
// The text shown for an item of a placeholder submenu.
inline constexpr const char* submenu_placeholder = "-";
