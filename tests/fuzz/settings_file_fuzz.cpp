// The settings file reader and writer: whatever a file holds, the values read from it are
// written so that reading the written file gives every value back.
#include "base/settings_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The open-file list as read (LF before every path) in the form the writer takes (LF after).
std::string shutdown_form(std::string_view loaded) {
    if (loaded.empty()) return {};
    return std::string(loaded.substr(1)) + '\n';
}

bool same_placement(const Placement& a, const Placement& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
           a.extra == b.extra;
}

bool same_options(const Options& a, const Options& b) {
    return a.use_last_settings == b.use_last_settings && a.upper_case == b.upper_case &&
           a.colour == b.colour && a.show_indent == b.show_indent &&
           a.auto_indent == b.auto_indent && a.line_numbers == b.line_numbers &&
           a.whitespace_markers == b.whitespace_markers &&
           a.whitespace_markers_size == b.whitespace_markers_size &&
           a.show_line_endings == b.show_line_endings &&
           a.line_endings_mode == b.line_endings_mode && a.indent_labels == b.indent_labels &&
           a.tab_size == b.tab_size && a.scroll_margin == b.scroll_margin;
}

bool same_settings(const Settings& a, const Settings& b) {
    return same_placement(a.main, b.main) && same_placement(a.prefs, b.prefs) &&
           a.colours == b.colours && same_options(a.options, b.options) &&
           a.confirm_before_exit == b.confirm_before_exit &&
           a.open_blank_file == b.open_blank_file && a.user_folder == b.user_folder &&
           a.include_folder == b.include_folder && a.port == b.port &&
           a.max_clients == b.max_clients && a.comport == b.comport &&
           a.serial_speed == b.serial_speed && a.char_delay == b.char_delay &&
           a.line_delay == b.line_delay && a.device_used == b.device_used &&
           a.terminal_height == b.terminal_height && a.send_by_xmodem == b.send_by_xmodem &&
           a.run_after_send == b.run_after_send && a.interpreter == b.interpreter;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Settings first;
    read_settings(bytes, first);
    for (const Colour colour : first.colours) FUZZ_CHECK(colour <= 0xFFFFFF);
    FUZZ_CHECK(first.saved_file_count >= 0);

    Settings to_write = first;
    to_write.open_file_list = shutdown_form(first.open_file_list);
    const std::string written = settings_file_text(to_write);
    // CR LF line ends only: a value never breaks a line of its own.
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\n') FUZZ_CHECK(i > 0 && written[i - 1] == '\r');
        if (written[i] == '\r') FUZZ_CHECK(i + 1 < written.size() && written[i + 1] == '\n');
    }

    Settings second;
    read_settings(written, second);
    FUZZ_CHECK(same_settings(first, second));
    // The list keeps every field, empty ones included, when the count was written from it.
    FUZZ_CHECK(second.open_file_list == first.open_file_list);
    FUZZ_CHECK(split_open_file_list(second.open_file_list) ==
               split_open_file_list(first.open_file_list));
    Settings second_to_write = second;
    second_to_write.open_file_list = shutdown_form(second.open_file_list);
    FUZZ_CHECK(settings_file_text(second_to_write) == written);
    return 0;
}
