// The File menu's recent files bound to the application: each item opens its entry and is
// shown only while the list has one.
#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "documents/recent_commands.h"
#include "documents/recent_files.h"

namespace {

template <int Index> void open_entry(App& app) {
    open_recent_file(app, Index);
}
template <int Index> bool entry_exists(App& app) {
    return Index < static_cast<int>(app.view_state.recent.size());
}

constexpr Command recent_command_table[] = {
    {menu_id::recent_first + 0, open_entry<0>, entry_exists<0>},
    {menu_id::recent_first + 1, open_entry<1>, entry_exists<1>},
    {menu_id::recent_first + 2, open_entry<2>, entry_exists<2>},
    {menu_id::recent_first + 3, open_entry<3>, entry_exists<3>},
    {menu_id::recent_first + 4, open_entry<4>, entry_exists<4>},
    {menu_id::recent_first + 5, open_entry<5>, entry_exists<5>},
    {menu_id::recent_first + 6, open_entry<6>, entry_exists<6>},
    {menu_id::recent_first + 7, open_entry<7>, entry_exists<7>},
    {menu_id::recent_first + 8, open_entry<8>, entry_exists<8>},
    {menu_id::recent_first + 9, open_entry<9>, entry_exists<9>},
};
static_assert(menu_id::recent_last - menu_id::recent_first + 1 == recent_capacity);

} // namespace

std::span<const Command> recent_commands() {
    return recent_command_table;
}
