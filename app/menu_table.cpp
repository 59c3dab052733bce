// The menu, context menu, toolbar and shortcut tables.
#include "app/menu_table.h"

#include "app/menu_ids.h"

namespace {

MenuEntry item(int id, const char* text) {
    return {MenuEntry::Kind::Item, id, id, text};
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
         {item(new_file, "&New\tCtrl+N"), item(open, "&Open\tCtrl+O"),
          submenu("&Recent", recent_first, recent_last), item(save, "&Save\tCtrl+S"),
          item(save_as, "Save As"), item(save_selection, "Save Selection"),
          item(restore, "Restore"), item(print, "Print"), item(preferences, "Preferences"),
          item(connect, "Connect to Maximite"), item(run_in_dos, "Run in DOS"),
          item(quit, "exit")}},
        {"Edit",
         {item(undo, "undo\tCtrl+Z"), item(redo, "redo\tCtrl+Y"),
          item(select_all, "Select All\tCtrl+A"), item(cut, "cut\tCtrl+X"),
          item(copy, "copy\tCtrl+C"), item(paste, "Paste\tCtrl+V"),
          item(insert_file_after_line, "Insert File after current line"),
          item(insert_file_at_end, "Insert file at end"),
          item(find_replace, "Find/Replace\tCtrl+H")}},
        {"Program",
         {item(remove_line_numbers, "Remove program line numbers"),
          item(add_line_numbers, "Add program line numbers"),
          item(remove_blank_lines, "Remove blank lines"),
          item(remove_comments, "Remove comments and blank lines"),
          item(remove_indents, "Remove indents and trailing spaces"), item(format, "Format"),
          item(merge, "Merge"), item(variable_report, "Display Variable report"),
          item(dos_line_endings, "DOS line endings"), item(unix_line_endings, "UNIX line endings"),
          item(connect_program, "Connect to Maximite"), item(send_program, "Send to board\tF6"),
          item(send_and_run, "Send and run\tF5"), item(stop_program, "Stop program\tShift+F5"),
          item(fetch_program, "Fetch the board's program"),
          item(back_up_board, "Back up the board"),
          item(restore_board_files, "Restore files to the board"),
          item(set_board_clock, "Set the board's clock"),
          item(capture_board_screen, "Capture the board's screen")}},
        {"Font",
         {item(font_small, "Small"), item(font_medium, "Medium"), item(font_bigger, "Bigger"),
          item(font_biggest, "Biggest")}},
        {"View",
         {item(view_colour, "Syntax colouring"), item(view_upper_case, "Capitalize keywords"),
          item(view_white_space, "Mark spaces"), item(view_line_endings, "Show line endings"),
          item(view_indent_guides, "Indent guides"), item(view_auto_indent, "Auto-indent"),
          item(view_line_numbers, "Physical line numbers"),
          item(maximite_syntax, "Maximite Syntax"), item(alternate_syntax, "Alternate Syntax"),
          item(board_files, "Board files")}},
        {"BookMarks",
         {item(toggle_bookmark, "Toggle bookmark"),
          item(previous_bookmark, "Goto previous bookmark"),
          item(next_bookmark, "Goto next bookmark"), item(clear_bookmarks, "Clear all bookmarks"),
          item(goto_line, "Goto line number\tCtrl+G"), item(find_name, "Find Sub/Function"),
          item(return_from_name, "Return from Sub/Function\tCtrl+B"),
          item(go_to_definition, "Go to definition\tF12"),
          item(find_all_uses, "Find all uses\tShift+F12"), item(show_problems, "Problems"),
          item(rename_name, "Rename\tF2")}},
        {"Help",
         {item(about, "About"), item(syntax_help, "Syntax Help\tF1"),
          item(editor_help, "Zell Edit Help"),
          submenu("External resources", external_first, external_last),
          item(change_log, "Change Log"), item(error_log, "Error Log")}},
    };
}

std::vector<MenuEntry> context_menu_table() {
    using namespace menu_id;
    return {item(undo, "undo\tCtrl+Z"),
            item(redo, "redo\tCtrl+Y"),
            item(select_all, "Select All\tCtrl+A"),
            item(cut, "cut\tCtrl+X"),
            item(copy, "copy\tCtrl+C"),
            item(paste, "Paste\tCtrl+V"),
            separator(),
            item(find_replace, "Find/Replace\tCtrl+H"),
            separator(),
            item(syntax_help, "Syntax Help\tF1")};
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

std::vector<ShortcutSpec> shortcut_table() {
    using namespace menu_id;
    return {{"Ctrl+O", open},
            {"Ctrl+N", new_file},
            {"Ctrl+S", save},
            {"Ctrl+F", find_key},
            {"Ctrl+H", replace_key},
            {"Ctrl+G", goto_line},
            {"Ctrl+B", return_from_name},
            {"F1", syntax_help},
            {"F5", send_and_run},
            {"F6", send_program},
            {"Shift+F5", stop_program},
            {"F12", go_to_definition},
            {"Shift+F12", find_all_uses},
            {"F2", rename_name}};
}
