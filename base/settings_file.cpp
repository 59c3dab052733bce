// The settings file: its text from the settings and the settings from its text.
#include "base/settings_file.h"

#include "base/folders.h"
#include "base/ini_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

namespace {

constexpr std::array<std::string_view, colour_item_count> colour_keys{
    "Default_fore",  "Default_back", "Keyword",  "Comment",        "Number",
    "String",        "Identifier",   "Handle",   "Label",          "Selected",
    "Selected_back", "LineNumber",   "Margin",   "Caret",          "Caret_back",
    "CallTip",       "CallTip_back", "Bookmark", "Foldmarker_back"};

constexpr Colour colour_bits = 0xFFFFFF;

// One "Options" key and the field it fills, in written order.
struct OptionKey {
    std::string_view key;
    int Options::*field;
};

constexpr std::array<OptionKey, 13> option_keys{{
    {"Use_last_settings", &Options::use_last_settings},
    {"Upper_Case", &Options::upper_case},
    {"Colour", &Options::colour},
    {"Show_indent", &Options::show_indent},
    {"Auto_indent", &Options::auto_indent},
    {"Line_numbers", &Options::line_numbers},
    {"WhiteSpace_Markers", &Options::whitespace_markers},
    {"WhiteSpace_Markers_Size", &Options::whitespace_markers_size},
    {"Show_line_endings", &Options::show_line_endings},
    {"Line_endings_Mode", &Options::line_endings_mode},
    {"Inent_Labels", &Options::indent_labels},
    {"Tabsize", &Options::tab_size},
    {"Scroll_Margin", &Options::scroll_margin},
}};

// The number n of a key spelt "File" + n (any letter case, no sign, no leading zero), or 0.
std::int64_t file_key_number(std::string_view key) {
    if (key.size() < 5 || key.size() > 14) return 0;
    const std::string_view prefix = key.substr(0, 4);
    if ((prefix[0] | 0x20) != 'f' || (prefix[1] | 0x20) != 'i' || (prefix[2] | 0x20) != 'l' ||
        (prefix[3] | 0x20) != 'e' || key[4] == '0')
        return 0;
    std::int64_t number = 0;
    for (const char c : key.substr(4)) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

// The list is LF + "File" + i for i = 1..count. A count far beyond the key lines of the group
// would only add empty entries (which opening skips), so entries up to the number of key lines
// follow the rule exactly and any "File" keys numbered beyond that are appended in order.
std::string read_open_file_list(const IniFile& file, const IniGroup* group, int count) {
    std::string list;
    if (group == nullptr || count <= 0) return list;
    const int dense = static_cast<int>(std::min<std::size_t>(group->key_lines, count));
    for (int i = 1; i <= dense; ++i) {
        list += '\n';
        list += ini_text(file, group, "File" + std::to_string(i), "");
    }
    if (dense == count) return list;
    std::map<std::int64_t, std::string_view> beyond;
    for (std::size_t e = group->entries_begin; e < group->entries_end; ++e) {
        const std::int64_t number = file_key_number(ini_key_of(file, file.entries[e]));
        if (number > dense && number <= count)
            beyond.emplace(number, ini_value_of(file, file.entries[e]));
    }
    for (const auto& [number, value] : beyond) {
        list += '\n';
        list += trim_blanks(value);
    }
    return list;
}

void read_placement(const IniFile& file, const IniGroup* group, std::string_view prefix,
                    std::string_view extra_key, Placement& p) {
    const std::string base(prefix);
    p.x = ini_int(file, group, base + "X", p.x);
    p.y = ini_int(file, group, base + "Y", p.y);
    p.width = ini_int(file, group, base + "W", p.width);
    p.height = ini_int(file, group, base + "H", p.height);
    p.extra = ini_int(file, group, extra_key, p.extra);
}

void write_placement(IniWriter& w, std::string_view prefix, std::string_view extra_key,
                     const Placement& p) {
    const std::string base(prefix);
    ini_write_int(w, base + "X", p.x);
    ini_write_int(w, base + "Y", p.y);
    ini_write_int(w, base + "W", p.width);
    ini_write_int(w, base + "H", p.height);
    ini_write_int(w, extra_key, p.extra);
}

} // namespace

std::string colour_to_text(Colour colour) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 20; shift >= 0; shift -= 4) text += digits[(colour >> shift) & 0xF];
    return text;
}

Colour colour_from_text(std::string_view text) {
    return number_text_value(text) & colour_bits;
}

std::vector<std::string> split_open_file_list(std::string_view list) {
    std::vector<std::string> paths;
    while (!list.empty()) {
        const std::size_t lf = list.find('\n');
        const std::string_view field = list.substr(0, lf);
        if (!field.empty()) paths.emplace_back(field);
        if (lf == std::string_view::npos) break;
        list.remove_prefix(lf + 1);
    }
    return paths;
}

void read_settings(std::string_view file_bytes, Settings& s) {
    const IniFile file = parse_ini(file_bytes);

    const IniGroup* windows = ini_group(file, "Windows");
    read_placement(file, windows, "Main", "MainSplit", s.main);
    read_placement(file, windows, "Prefs", "PrefsTab", s.prefs);

    const IniGroup* folders = ini_group(file, "Folders");
    const std::string user_folder = ini_text(file, folders, "UserFolder", "");
    if (!user_folder.empty()) s.user_folder = with_separator(user_folder);
    const std::string include_folder = ini_text(file, folders, "IncludeFolder", "");
    if (!include_folder.empty()) s.include_folder = with_separator(include_folder);

    const IniGroup* colours = ini_group(file, "Colours");
    for (int i = 0; i < colour_item_count; ++i)
        s.colours[i] =
            colour_from_text(ini_text(file, colours, colour_keys[i], colour_to_text(s.colours[i])));

    const IniGroup* options = ini_group(file, "Options");
    for (const OptionKey& option : option_keys)
        s.options.*option.field = ini_int(file, options, option.key, s.options.*option.field);

    const IniGroup* preferences = ini_group(file, "Preferences");
    s.confirm_before_exit =
        ini_int(file, preferences, "Confirm before Exit", s.confirm_before_exit);
    s.open_blank_file = ini_int(file, preferences, "Open blank file", s.open_blank_file);

    const IniGroup* open_files = ini_group(file, "Open Files");
    const int count = ini_int(file, open_files, "File Count", 0);
    s.open_file_list = read_open_file_list(file, open_files, count);
    s.saved_file_count = std::max(count, 0);

    const IniGroup* network = ini_group(file, "Network");
    s.port = ini_int(file, network, "Port", s.port);
    s.max_clients = ini_int(file, network, "MaxClients", s.max_clients);

    const IniGroup* serial = ini_group(file, "Serial");
    s.comport = ini_text(file, serial, "comport", s.comport);
    s.serial_speed = ini_int(file, serial, "SerialSpeed", s.serial_speed);
    s.char_delay = ini_int(file, serial, "CharDelay", s.char_delay);
    s.line_delay = ini_int(file, serial, "LineDelay", s.line_delay);

    const IniGroup* device = ini_group(file, "Device");
    s.device_used = ini_int(file, device, "Used", s.device_used);
    s.terminal_height = ini_int(file, device, "TerminalHeight", s.terminal_height);
    s.send_by_xmodem = ini_int(file, device, "SendByXmodem", s.send_by_xmodem);
    s.run_after_send = ini_int(file, device, "RunAfterSend", s.run_after_send);
    s.set_clock_on_connect =
        ini_int(file, device, "SetClockOnConnect", s.set_clock_on_connect) != 0 ? 1 : 0;
    s.interpreter = ini_text(file, device, "Interpreter", s.interpreter);
    s.maximite_syntax = ini_int(file, device, "MaximiteSyntax", s.maximite_syntax) != 0 ? 1 : 0;
    s.label_list_sorted = ini_int(file, device, "LabelListSorted", s.label_list_sorted) != 0;
    s.label_list_sized = ini_int(file, device, "LabelListSized", s.label_list_sized) != 0;
    s.label_list_outline = ini_int(file, device, "LabelListOutline", s.label_list_outline) != 0;
}

std::string settings_file_text(const Settings& s) {
    IniWriter w;
    ini_write_group(w, "Windows");
    ini_write_comment(w, "Main Window");
    write_placement(w, "Main", "MainSplit", s.main);
    ini_write_comment(w, "Preferences Window");
    write_placement(w, "Prefs", "PrefsTab", s.prefs);

    ini_write_group(w, "Colours");
    for (int i = 0; i < colour_item_count; ++i)
        ini_write_text(w, colour_keys[i], colour_to_text(s.colours[i]));

    ini_write_group(w, "Options");
    for (const OptionKey& option : option_keys)
        ini_write_int(w, option.key, s.options.*option.field);

    ini_write_group(w, "Preferences");
    ini_write_int(w, "Confirm before Exit", s.confirm_before_exit);
    ini_write_int(w, "Open blank file", s.open_blank_file);

    // Every path is followed by one LF, so the count is the number of LFs and the fields are
    // the text between them.
    ini_write_group(w, "Open Files");
    const auto count = std::count(s.open_file_list.begin(), s.open_file_list.end(), '\n');
    ini_write_int(w, "File Count", static_cast<int>(count));
    std::string_view rest = s.open_file_list;
    for (int i = 1; i <= count; ++i) {
        const std::size_t lf = rest.find('\n');
        ini_write_text(w, "File" + std::to_string(i), rest.substr(0, lf));
        rest.remove_prefix(lf + 1);
    }

    ini_write_group(w, "Folders");
    ini_write_text(w, "UserFolder", s.user_folder);
    ini_write_text(w, "IncludeFolder", s.include_folder);

    ini_write_group(w, "Network");
    ini_write_int(w, "Port", s.port);
    ini_write_int(w, "MaxClients", s.max_clients);

    ini_write_group(w, "Serial");
    ini_write_text(w, "comport", s.comport);
    ini_write_int(w, "SerialSpeed", s.serial_speed);
    ini_write_int(w, "CharDelay", s.char_delay);
    ini_write_int(w, "LineDelay", s.line_delay);

    ini_write_group(w, "Device");
    ini_write_int(w, "Used", s.device_used);
    ini_write_int(w, "TerminalHeight", s.terminal_height);
    ini_write_int(w, "SendByXmodem", s.send_by_xmodem);
    ini_write_int(w, "RunAfterSend", s.run_after_send);
    ini_write_int(w, "SetClockOnConnect", s.set_clock_on_connect);
    ini_write_text(w, "Interpreter", s.interpreter);
    ini_write_int(w, "MaximiteSyntax", s.maximite_syntax);
    ini_write_int(w, "LabelListSorted", s.label_list_sorted);
    ini_write_int(w, "LabelListSized", s.label_list_sized);
    ini_write_int(w, "LabelListOutline", s.label_list_outline);
    return w.text;
}
