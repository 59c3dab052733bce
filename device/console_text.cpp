// Console output to plain text lines.
#include "device/console_text.h"

void ConsoleText::reset() {
    mode_ = Mode::text;
    partial_.clear();
    column_ = 0;
}

void ConsoleText::put(char c) {
    if (column_ < partial_.size())
        partial_[column_] = c;
    else if (partial_.size() < max_line)
        partial_.push_back(c);
    else
        return;
    ++column_;
}

std::vector<std::string> ConsoleText::feed(std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        switch (mode_) {
        case Mode::escape:
            mode_ = byte == '[' ? Mode::csi : byte == ']' ? Mode::osc : Mode::text;
            continue;
        case Mode::csi:
            if (byte >= 0x40 && byte <= 0x7E) mode_ = Mode::text;
            continue;
        case Mode::osc:
            if (byte == 0x07)
                mode_ = Mode::text;
            else if (byte == 0x1B)
                mode_ = Mode::osc_escape;
            continue;
        case Mode::osc_escape: // ESC \ (string terminator) ends it; anything else goes on
            mode_ = byte == '\\' ? Mode::text : Mode::osc;
            continue;
        case Mode::text:
            break;
        }
        if (byte == 0x1B) {
            mode_ = Mode::escape;
            continue;
        }
        if (byte == '\n') {
            lines.push_back(std::move(partial_));
            partial_.clear();
            column_ = 0;
            continue;
        }
        if (byte == '\r') {
            column_ = 0;
            continue;
        }
        if (byte == '\b') {
            if (column_ > 0) --column_;
            continue;
        }
        if (byte == '\t' || byte >= 0x20) put(c);
    }
    return lines;
}

std::string_view console_trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool board_error_message(std::string_view line, std::string& message) {
    line = console_trim(line);
    if (line.starts_with("> ")) line = console_trim(line.substr(2));
    if (!line.starts_with("Error")) return false;
    line = console_trim(line.substr(5));
    if (line.empty() || line.front() != ':') return false;
    message = std::string(console_trim(line.substr(1)));
    return true;
}
