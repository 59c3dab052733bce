// The user's settings as held in memory, with their defaults; read and written by settings_file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// A colour reference: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

// The nineteen colours, in the order the settings file writes them.
enum class ColourItem : int {
    DefaultFore,
    DefaultBack,
    Keyword,
    Comment,
    Number,
    String,
    Identifier,
    Handle,
    Label,
    Selected,
    SelectedBack,
    LineNumber,
    Margin,
    Caret,
    CaretBack,
    CallTip,
    CallTipBack,
    Bookmark,
    FoldmarkerBack,
    Count
};
constexpr int colour_item_count = static_cast<int>(ColourItem::Count);

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    int extra = 0; // the splitter position of the main window, the shown tab of the preferences
};

struct Options {
    int use_last_settings = 1;
    int upper_case = 1;
    int colour = 1;
    int show_indent = 1;
    int auto_indent = 1;
    int line_numbers = 1;
    int whitespace_markers = 0;
    int whitespace_markers_size = 2;
    int show_line_endings = 0;
    int line_endings_mode = 0; // 0 = CR LF, 1 = LF
    int indent_labels = 1;     // the level at which Format starts
    int tab_size = 2;          // spaces per level of Format
    int scroll_margin = 10;
};

struct Settings {
    Placement main{100, 100, 850, 600, 720};
    Placement prefs{200, 200, 450, 400, 0};
    std::array<Colour, colour_item_count> colours{0x000000, 0xFFFFFF, 0xFF0000, 0xBBBBBB, 0x0000FF,
                                                  0x32B450, 0xFF0000, 0xFF0000, 0xFF00CC, 0xFFFFFF,
                                                  0xFF0000, 0x000000, 0xA4FFFF, 0xFF0000, 0xB4FFFF,
                                                  0x000000, 0xCBFFFF, 0x000000, 0x000000};
    Options options;
    int confirm_before_exit = 1;
    int open_blank_file = 0;
    std::string open_file_list; // every path preceded by one LF, as loaded
    int saved_file_count = 0;
    std::string user_folder;    // empty keeps the documents folder
    std::string include_folder; // empty keeps the documents folder
    int port = 6832;
    int max_clients = 1;
    std::string comport = "com7";
    int serial_speed = 9600;
    int char_delay = 0;
    int line_delay = 0; // the board's echo paces a send; a pause is only an extra floor
    // The device panel's own values, in a group of their own after the connection values.
    int device_used = 0;          // 1 once a board was connected: its speed is then the user's
    int terminal_height = 220;    // pixels of the terminal panel under the editor
    int send_by_xmodem = 0;       // 1: Send uses XMODEM instead of AUTOSAVE
    int run_after_send = 1;       // 1: RUN follows a completed send
    int set_clock_on_connect = 0; // 1: the board's DATE$ and TIME$ are set from the computer's
    std::string interpreter;      // the local MMBasic interpreter's program, empty when not set
    int maximite_syntax = 1;      // 1: "Maximite Syntax", 0: "Alternate Syntax" (the older rules)
    int label_list_sorted = 0;    // the label list's "Sort": 1 A-Z, 0 file order
    int label_list_sized = 0; // 1 once the user dragged the list's width: it is no longer fitted

    // 1: the label list shows the program's outline (routines, their labels, include files).
    int label_list_outline = 0;

    Colour colour(ColourItem item) const { return colours[static_cast<int>(item)]; }
    Colour& colour(ColourItem item) { return colours[static_cast<int>(item)]; }
};
