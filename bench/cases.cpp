// The list of benchmark cases.
#include "cases.h"
#include "timing.h"

std::string bench_format_large();              // bench_tools.cpp
std::string bench_save_large();                // bench_tools.cpp
std::string bench_colour_full();               // bench_colour.cpp
std::string bench_tabbar_layout_200();         // bench_tabbar.cpp
std::string bench_open_large();                // bench_documents.cpp
std::string bench_switch_tabs();               // bench_documents.cpp
std::string bench_type_in_large();             // bench_documents.cpp
std::string bench_startup_window();            // bench_startup.cpp
std::string bench_paste_labels();              // bench_names.cpp
std::string bench_open_long_label();           // bench_names.cpp
std::string bench_find_next_large();           // bench_find.cpp
std::string bench_replace_all_large();         // bench_find.cpp
std::string bench_name_chooser();              // bench_find.cpp
std::string bench_remove_line_numbers_large(); // bench_program_tools.cpp
std::string bench_add_line_numbers_large();    // bench_program_tools.cpp
std::string bench_remove_comments_large();     // bench_program_tools.cpp
std::string bench_variable_report_large();     // bench_program_tools.cpp
std::string bench_merge_50_includes();         // bench_program_tools.cpp
std::string bench_complete_3000_names();       // bench_help.cpp
std::string bench_complete_3000_matches();     // bench_help.cpp
std::string bench_print_large();               // bench_print.cpp
std::string bench_terminal_1mb();              // bench_device.cpp
std::string bench_xmodem_100k_pty();           // bench_device.cpp
std::string bench_autosave_2000_lines();       // bench_autosave.cpp
std::string bench_open_10000_files();          // bench_many_files.cpp
std::string bench_quit_10000_files();          // bench_many_files.cpp
std::string bench_board_list_500();            // bench_board_files.cpp
std::string bench_board_upload_200k();         // bench_board_files.cpp
std::string bench_board_download_200k();       // bench_board_files.cpp
std::string bench_analyse_large();             // bench_analysis.cpp
std::string bench_find_uses_large();           // bench_analysis.cpp
std::string bench_analyse_after_key_large();   // bench_analysis.cpp

std::vector<BenchCase> bench_cases() {
    return {
        {"format_large", bench_format_large},
        {"save_large", bench_save_large},
        {"colour_full", bench_colour_full},
        {"tabbar_layout_200", bench_tabbar_layout_200},
        {"open_large", bench_open_large},
        {"switch_tabs", bench_switch_tabs},
        {"type_in_large", bench_type_in_large},
        {"startup_window", bench_startup_window},
        {"paste_labels", bench_paste_labels},
        {"open_long_label", bench_open_long_label},
        {"find_next_large", bench_find_next_large},
        {"replace_all_large", bench_replace_all_large},
        {"name_chooser", bench_name_chooser},
        {"remove_line_numbers_large", bench_remove_line_numbers_large},
        {"add_line_numbers_large", bench_add_line_numbers_large},
        {"remove_comments_large", bench_remove_comments_large},
        {"variable_report_large", bench_variable_report_large},
        {"merge_50_includes", bench_merge_50_includes},
        {"complete_3000_names", bench_complete_3000_names},
        {"complete_3000_matches", bench_complete_3000_matches},
        {"print_large", bench_print_large},
        {"terminal_1mb", bench_terminal_1mb},
        {"xmodem_100k_pty", bench_xmodem_100k_pty},
        {"autosave_2000_lines", bench_autosave_2000_lines},
        {"open_10000_files", bench_open_10000_files},
        {"quit_10000_files", bench_quit_10000_files},
        {"board_list_500", bench_board_list_500},
        {"board_upload_200k", bench_board_upload_200k},
        {"board_download_200k", bench_board_download_200k},
        {"analyse_large", bench_analyse_large},
        {"find_uses_large", bench_find_uses_large},
        {"analyse_after_key_large", bench_analyse_after_key_large},
    };
}
