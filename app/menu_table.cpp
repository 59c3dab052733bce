// Where each command appears: the menus, the context menu and the toolbar. The items' texts
// and shortcuts come with the commands.
#include "app/menu_table.h"

#include "app/menu_ids.h"

namespace {

MenuEntry item(int id) {
    return {MenuEntry::Kind::Item, id, id, {}};
}
MenuEntry submenu(const char* title, int first, int last) {
    return {MenuEntry::Kind::Submenu, first, last, title};
}
MenuEntry separator() {
    return {MenuEntry::Kind::Separator, 0, 0, {}};
}

} // namespace

std::vector<MenuSpec> menu_bar_table() {
    using namespace menu_id;
    return {
        {"&File",
         {item(new_file), item(open), submenu("&Recent", recent_first, recent_last), item(save),
          item(save_as), item(save_selection), item(restore), item(print), item(preferences),
          item(connect), item(run_in_dos), item(quit)}},
        {"Edit",
         {item(undo), item(redo), item(select_all), item(cut), item(copy), item(paste),
          item(insert_file_after_line), item(insert_file_at_end), item(find_replace)}},
        {"Program",
         {item(remove_line_numbers), item(add_line_numbers), item(remove_blank_lines),
          item(remove_comments), item(remove_indents), item(format), item(merge),
          item(variable_report), item(dos_line_endings), item(unix_line_endings),
          item(connect_program), item(send_program), item(send_and_run), item(stop_program),
          item(fetch_program), item(back_up_board), item(restore_board_files),
          item(set_board_clock), item(capture_board_screen)}},
        {"Font", {item(font_small), item(font_medium), item(font_bigger), item(font_biggest)}},
        {"View",
         {item(view_colour), item(view_upper_case), item(view_white_space), item(view_line_endings),
          item(view_indent_guides), item(view_auto_indent), item(view_line_numbers),
          item(maximite_syntax), item(alternate_syntax), item(board_files)}},
        {"BookMarks",
         {item(toggle_bookmark), item(previous_bookmark), item(next_bookmark),
          item(clear_bookmarks), item(goto_line), item(find_name), item(return_from_name),
          item(go_to_definition), item(find_all_uses), item(show_problems), item(rename_name)}},
        {"Help",
         {item(about), item(syntax_help), item(editor_help),
          submenu("External resources", external_first, external_last), item(change_log),
          item(error_log)}},
    };
}

std::vector<MenuEntry> context_menu_table() {
    using namespace menu_id;
    return {item(undo),  item(redo),  item(select_all),   item(cut),   item(copy),
            item(paste), separator(), item(find_replace), separator(), item(syntax_help)};
}

std::vector<ToolbarButton> toolbar_table() {
    using namespace menu_id;
    return {
        {new_file, "New file", "new"},
        {open, "Open", "open"},
        {save, "Save", "save"},
        {save_as, "Save as", "save_as"},
        {print, "Print", "print"},
        {0, {}, {}},
        {find_replace, "Find", "find"},
        {view_line_numbers, "Physical line numbers", "line_numbers"},
        {view_line_endings, "Show Line endings", "line_endings"},
        {view_white_space, "Show white space markers", "white_space"},
        {view_colour, "Syntax Colour", "syntax_colour"},
        {view_upper_case, "Uppercase Keywords", "upper_case"},
        {view_indent_guides, "Indent guides", "indent_guides"},
        {view_auto_indent, "Auto indent", "auto_indent"},
        {format, "Format document", "format"},
        {0, {}, {}},
        {previous_bookmark, "Previous bookmark", "bookmark_previous"},
        {toggle_bookmark, "Toggle bookmark", "bookmark_toggle"},
        {next_bookmark, "Next bookmark", "bookmark_next"},
        {return_from_name, "return from sub/function", "return_from_sub"},
        {find_name, "find sub/function", "find_sub"},
        {0, {}, {}},
        {run_in_dos, "run in DOS", "run_in_dos"},
        {connect, "connect to Maximite", "connect"},
        {send_program, "Send to board (F6)", "send_program"},
        {send_and_run, "Send and run (F5)", "send_run"},
        {stop_program, "Stop program (Shift+F5)", "stop_program"},
        {board_files, "Board files", "board_files"},
        {syntax_help, "Syntax help", "syntax_help"},
    };
}
