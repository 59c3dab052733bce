// Sending a program by the firmware's AUTOSAVE console command: the bytes to send, the pause
// after each of them, and the characters the board cannot take.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The command that starts the transfer and the character that ends it.
constexpr std::string_view autosave_command = "AUTOSAVE\r";
constexpr char autosave_end = 0x1A; // Ctrl+Z

// What in a UTF-8 document text the board cannot take: characters above U+00FF (they would be
// sent as "?") and zero bytes (the firmware ends a line there). Counts, and the 1-based line of
// the first one, so the user can be told where.
struct UnsendableReport {
    std::size_t wide_characters = 0;
    std::size_t zero_bytes = 0;
    // Ctrl+Z would end AUTOSAVE there and store only the text before it; Ctrl+C would abort it.
    std::size_t stopping_characters = 0;
    long first_line = 0; // 0 when there is nothing
    bool any() const { return wide_characters + zero_bytes + stopping_characters > 0; }
};
UnsendableReport find_unsendable(std::string_view utf8_text);

// The program as the board receives it: 8-bit text with every line end (CR LF, LF or CR) turned
// into one CR; a last line without a line end gets one. Without the command and Ctrl+Z.
std::string program_for_board(std::string_view utf8_text);

// The whole transfer: the command, the program, Ctrl+Z.
std::string autosave_stream(std::string_view utf8_text);

// Pacing: `char_delay_ms` after each character, `line_delay_ms` after each CR instead. Bytes
// without a pause between them go out together.
struct Pacing {
    int char_delay_ms = 0;
    int line_delay_ms = 0;
};

struct PaceStep {
    std::size_t count = 0; // bytes to write now, from the current position
    int delay_ms = 0;      // pause before the next step
};

// The next step of sending `stream` from `position`; count 0 at the end. `max_chunk` bounds a
// step where there are no pauses, so progress can be shown and Cancel stays quick.
PaceStep next_pace_step(std::string_view stream, std::size_t position, Pacing pacing,
                        std::size_t max_chunk = 512);

// How long the whole stream takes at the given pacing, for an estimate shown beforehand.
long long paced_duration_ms(std::string_view stream, Pacing pacing);
