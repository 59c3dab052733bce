// The commands of the tools: saving and the Program menu's transformations.
#include "app/command.h"
#include "app/menu_ids.h"
#include "tools/saving.h"
#include "tools/transform_commands.h"

namespace {

constexpr Command tool_command_table[] = {
    {menu_id::save, save},
    {menu_id::save_as, save_as},
    {menu_id::remove_indents, remove_indents},
    {menu_id::format, format_document},
};

} // namespace

std::span<const Command> tool_commands() {
    return tool_command_table;
}
