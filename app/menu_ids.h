// Fixed numbers of the program's windows, controls and menu commands.
#pragma once

namespace control {
constexpr int main_window = 1;
constexpr int preferences_window = 3;
constexpr int toolbar = 4;
constexpr int tab_bar = 5;
constexpr int editor = 6;
constexpr int splitter = 7;
constexpr int label_list = 8;
constexpr int status_bar = 9;
constexpr int menu_bar = 12;
constexpr int context_menu = 90;
} // namespace control

namespace menu_id {
constexpr int new_file = 14;
constexpr int open = 15;
constexpr int recent_first = 17;
constexpr int recent_last = 26;
constexpr int save = 27;
constexpr int save_as = 28;
constexpr int save_selection = 29;
constexpr int restore = 30;
constexpr int print = 31;
constexpr int preferences = 32;
constexpr int connect = 33;
constexpr int run_in_dos = 34;
constexpr int quit = 35;
constexpr int undo = 36;
constexpr int redo = 37;
constexpr int select_all = 38;
constexpr int cut = 39;
constexpr int copy = 40;
constexpr int paste = 41;
constexpr int insert_file_after_line = 42;
constexpr int insert_file_at_end = 43;
constexpr int find_replace = 44;
constexpr int remove_line_numbers = 45;
constexpr int add_line_numbers = 46;
constexpr int remove_blank_lines = 47;
constexpr int remove_comments = 48;
constexpr int remove_indents = 49;
constexpr int format = 50;
constexpr int merge = 51;
constexpr int variable_report = 52;
constexpr int dos_line_endings = 53;
constexpr int unix_line_endings = 54;
constexpr int connect_program = 55;
constexpr int font_small = 56;
constexpr int font_medium = 57;
constexpr int font_bigger = 58;
constexpr int font_biggest = 59;
constexpr int view_colour = 60;
constexpr int view_upper_case = 61;
constexpr int view_white_space = 62;
constexpr int view_line_endings = 63;
constexpr int view_indent_guides = 64;
constexpr int view_auto_indent = 65;
constexpr int view_line_numbers = 66;
constexpr int maximite_syntax = 67;
constexpr int alternate_syntax = 68;
constexpr int toggle_bookmark = 70;
constexpr int previous_bookmark = 71;
constexpr int next_bookmark = 72;
constexpr int clear_bookmarks = 73;
constexpr int goto_line = 74;
constexpr int find_name = 75;
constexpr int return_from_name = 76;
constexpr int about = 77;
constexpr int syntax_help = 78;
constexpr int editor_help = 79;
constexpr int external_first = 81;
constexpr int external_last = 86;
constexpr int change_log = 87;
constexpr int error_log = 88;
constexpr int return_key = 89;
// The board's files and backups (120-149).
constexpr int board_files = 120;
constexpr int fetch_program = 121;
constexpr int back_up_board = 122;
constexpr int restore_board_files = 123;
constexpr int set_board_clock = 124;
constexpr int capture_board_screen = 125;
// Keys with a procedure of their own that no menu item shows.
constexpr int find_key = 91;    // Ctrl+F: the find bar without the replace row
constexpr int replace_key = 92; // Ctrl+H: the find bar with it
// The board: sending the current program, running it, stopping it.
constexpr int send_program = 93;
constexpr int send_and_run = 94;
constexpr int stop_program = 95;
// The analysis of the program.
constexpr int go_to_definition = 100;
constexpr int find_all_uses = 101;
constexpr int show_problems = 102;
constexpr int rename_name = 103;
} // namespace menu_id
