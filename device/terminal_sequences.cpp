// The VT100 sequences' effects on the screen: cursor movement, erasing, modes, colours, status
// answers and size requests; and reading the screen back as text.
#include "device/terminal_screen.h"

#include <algorithm>

namespace {

// Bounds for sizes the other end asks for, so that a garbled request costs no memory.
constexpr int max_requested_columns = 512;
constexpr int max_requested_rows = 256;
// Answers wait for the link; a flood of queries nobody takes must not grow without end.
constexpr std::size_t max_answers = 4096;

} // namespace

void TerminalScreen::execute_csi(std::uint8_t final_byte) {
    wrap_pending_ = false;
    switch (final_byte) {
    case 'A':
        row_ -= param(0, 1);
        break;
    case 'B':
        row_ += param(0, 1);
        break;
    case 'C':
        column_ += param(0, 1);
        break;
    case 'D':
        column_ -= param(0, 1);
        break;
    case 'E':
        row_ += param(0, 1);
        column_ = 0;
        break;
    case 'F':
        row_ -= param(0, 1);
        column_ = 0;
        break;
    case 'G':
        column_ = param(0, 1) - 1;
        break;
    case 'd':
        row_ = param(0, 1) - 1;
        break;
    case 'H':
    case 'f':
        row_ = param(0, 1) - 1;
        column_ = param(1, 1) - 1;
        break;
    case 'J':
        erase_display(params_.empty() ? 0 : params_[0]);
        break;
    case 'K':
        erase_line(params_.empty() ? 0 : params_[0]);
        break;
    case 'm':
        select_graphic_rendition();
        break;
    case 's':
        saved_row_ = row_;
        saved_column_ = column_;
        break;
    case 'u':
        row_ = saved_row_;
        column_ = saved_column_;
        break;
    case 'n':
        answer_status(param(0, 0));
        break;
    case 'r':
        set_scrolling_region();
        break;
    case 'L': // lines inserted and deleted within the scrolling region, from the cursor's
    case 'M':
        if (row_ >= top_ && row_ <= region_bottom())
            scroll_lines(row_, region_bottom(), final_byte == 'L' ? -param(0, 1) : param(0, 1));
        break;
    case 'S':
        scroll_lines(top_, region_bottom(), param(0, 1));
        break;
    case 'T':
        scroll_lines(top_, region_bottom(), -param(0, 1));
        break;
    case '@':
        insert_characters(param(0, 1));
        break;
    case 'P':
        delete_characters(param(0, 1));
        break;
    case 'X': {
        ScreenLine& line = screen_line(row_);
        const int end = std::min(column_ + param(0, 1), columns_);
        if (line.size() < static_cast<std::size_t>(end)) line.resize(end);
        for (int c = column_; c < end; ++c) line[c] = Cell{' ', style_};
        break;
    }
    case 't':
        // ESC[8;rows;cols t: the full-screen tools ask for the size they draw for.
        if (param(0, 0) == 8 && param(1, 0) > 0 && param(2, 0) > 0) {
            resize(std::min(param(2, 0), max_requested_columns),
                   std::min(param(1, 0), max_requested_rows));
            size_requested_ = true;
        }
        break;
    default: // everything else is understood as "nothing to show"
        break;
    }
    clamp_cursor();
}

void TerminalScreen::execute_private_mode(std::uint8_t final_byte) {
    if (final_byte != 'h' && final_byte != 'l') return;
    const bool on = final_byte == 'h';
    for (int mode : params_) {
        if (mode == 7) {
            autowrap_ = on;
            if (!on) wrap_pending_ = false;
        } else if (mode == 25) {
            cursor_visible_ = on;
        }
    }
}

void TerminalScreen::answer_status(int what) {
    std::string answer;
    if (what == 5) answer = "\x1b[0n";
    if (what == 6)
        answer = "\x1b[" + std::to_string(row_ + 1) + ";" + std::to_string(column_ + 1) + "R";
    if (!answer.empty() && answers_.size() + answer.size() <= max_answers) answers_ += answer;
}

void TerminalScreen::erase_line(int how) {
    ScreenLine& line = screen_line(row_);
    if (how == 0) {
        if (line.size() > static_cast<std::size_t>(column_)) line.resize(column_);
    } else if (how == 1) {
        std::size_t end = std::min(line.size(), static_cast<std::size_t>(column_) + 1);
        for (std::size_t i = 0; i < end; ++i) line[i] = Cell{' ', style_};
    } else if (how == 2) {
        line.clear();
    }
}

void TerminalScreen::erase_display(int how) {
    if (how == 0) {
        erase_line(0);
        for (int r = row_ + 1; r < rows_; ++r) screen_line(r).clear();
    } else if (how == 1) {
        for (int r = 0; r < row_; ++r) screen_line(r).clear();
        erase_line(1);
    } else if (how == 2) {
        for (int r = 0; r < rows_; ++r) screen_line(r).clear();
    } else if (how == 3) {
        // Clears the scrollback; the screen stays.
        while (lines_.size() > static_cast<std::size_t>(rows_)) lines_.pop_front();
    }
}

void TerminalScreen::select_graphic_rendition() {
    if (params_.empty()) {
        style_ = {};
        return;
    }
    for (int value : params_) {
        if (value == 0) {
            style_ = {};
        } else if (value == 1) {
            style_.bold = true;
        } else if (value == 22) {
            style_.bold = false;
        } else if (value == 7) {
            style_.reverse = true;
        } else if (value == 27) {
            style_.reverse = false;
        } else if (value >= 30 && value <= 37) {
            style_.fg = static_cast<std::uint8_t>(value - 30);
        } else if (value == 39) {
            style_.fg = default_colour;
        } else if (value >= 40 && value <= 47) {
            style_.bg = static_cast<std::uint8_t>(value - 40);
        } else if (value == 49) {
            style_.bg = default_colour;
        } else if (value >= 90 && value <= 97) {
            style_.fg = static_cast<std::uint8_t>(value - 90 + 8);
        } else if (value >= 100 && value <= 107) {
            style_.bg = static_cast<std::uint8_t>(value - 100 + 8);
        }
    }
}

std::string TerminalScreen::line_text(std::size_t index) const {
    std::string text;
    if (index >= lines_.size()) return text;
    for (const Cell& cell : lines_[index]) {
        if (cell.ch < 0x80) {
            text.push_back(static_cast<char>(cell.ch));
        } else {
            text.push_back(static_cast<char>(0xC0 | (cell.ch >> 6)));
            text.push_back(static_cast<char>(0x80 | (cell.ch & 0x3F)));
        }
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string TerminalScreen::text(std::size_t first, std::size_t last) const {
    std::string out;
    for (std::size_t i = first; i <= last && i < lines_.size(); ++i) {
        if (i > first) out.push_back('\n');
        out += line_text(i);
    }
    return out;
}
