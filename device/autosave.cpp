// AUTOSAVE framing and pacing.
#include "device/autosave.h"

#include "tools/text_conversion.h"

UnsendableReport find_unsendable(std::string_view text) {
    UnsendableReport report;
    long line = 1;
    auto note = [&](std::size_t& counter) {
        ++counter;
        if (report.first_line == 0) report.first_line = line;
    };
    auto continuation = [&](std::size_t i) {
        return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte == '\n' || (byte == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                ++line;
            else if (byte == 0)
                note(report.zero_bytes);
            else if (byte == 0x1A || byte == 0x03)
                note(report.stopping_characters);
            ++i;
        } else if ((byte == 0xC2 || byte == 0xC3) && continuation(i + 1)) {
            i += 2; // U+0080 to U+00FF: one byte on the board
        } else {
            // A character from U+0100 up, or malformed text: it would arrive as "?".
            note(report.wide_characters);
            ++i;
            for (int k = 0; k < 3 && continuation(i); ++k) ++i;
        }
    }
    return report;
}

std::string program_for_board(std::string_view utf8_text) {
    std::string bytes = utf8_to_bytes(utf8_text);
    std::string out;
    out.reserve(bytes.size() + 1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            out.push_back('\r');
        } else if (c == '\n') {
            out.push_back('\r');
        } else {
            out.push_back(c);
        }
    }
    if (!out.empty() && out.back() != '\r') out.push_back('\r');
    return out;
}

std::string autosave_stream(std::string_view utf8_text) {
    std::string stream(autosave_command);
    stream += program_for_board(utf8_text);
    stream.push_back(autosave_end);
    return stream;
}

PaceStep next_pace_step(std::string_view stream, std::size_t position, Pacing pacing,
                        std::size_t max_chunk) {
    PaceStep step;
    if (max_chunk == 0) max_chunk = 1;
    while (position + step.count < stream.size() && step.count < max_chunk) {
        char c = stream[position + step.count];
        ++step.count;
        int delay = c == '\r' ? pacing.line_delay_ms : pacing.char_delay_ms;
        if (delay > 0) {
            step.delay_ms = delay;
            break;
        }
    }
    return step;
}

long long paced_duration_ms(std::string_view stream, Pacing pacing) {
    long long total = 0;
    for (char c : stream) total += c == '\r' ? pacing.line_delay_ms : pacing.char_delay_ms;
    return total;
}
