// VT100-subset parser and screen model.
#include "device/terminal_screen.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t max_params = 16;
constexpr int max_param_value = 9999;
// Bounds for sizes the other end asks for, so that a garbled request costs no memory.
constexpr int max_requested_columns = 512;
constexpr int max_requested_rows = 256;
// Answers wait for the link; a flood of queries nobody takes must not grow without end.
constexpr std::size_t max_answers = 4096;

} // namespace

TerminalScreen::TerminalScreen(int columns, int rows, std::size_t scrollback)
    : columns_(std::max(columns, 1)), rows_(std::max(rows, 1)), scrollback_(scrollback) {
    lines_.resize(rows_);
}

void TerminalScreen::clear() {
    lines_.clear();
    lines_.resize(rows_);
    row_ = column_ = 0;
    wrap_pending_ = false;
    top_ = 0;
    bottom_ = -1;
    autowrap_ = true;
    cursor_visible_ = true;
    size_requested_ = false;
    style_ = {};
    mode_ = Mode::ground;
    ++version_;
}

void TerminalScreen::fit(int columns, int rows) {
    if (!size_requested_ && (columns != columns_ || rows != rows_)) resize(columns, rows);
}

std::string TerminalScreen::take_answers() {
    return std::exchange(answers_, {});
}

void TerminalScreen::resize(int columns, int rows) {
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    // Growing takes lines back from the scrollback where there are some; shrinking pushes the
    // top of the screen into it, so the cursor line stays visible.
    while (rows > rows_) {
        if (lines_.size() > static_cast<std::size_t>(rows_)) {
            ++row_;
        } else {
            lines_.push_back({});
        }
        ++rows_;
    }
    while (rows < rows_) {
        if (row_ == rows_ - 1) {
            --row_;
        } else {
            lines_.pop_back();
        }
        --rows_;
    }
    while (lines_.size() > scrollback_ + rows_) lines_.pop_front();
    top_ = 0;
    bottom_ = -1;
    columns_ = columns;
    for (ScreenLine& line : lines_)
        if (line.size() > static_cast<std::size_t>(columns_)) line.resize(columns_);
    clamp_cursor();
    ++version_;
}

void TerminalScreen::clamp_cursor() {
    row_ = std::clamp(row_, 0, rows_ - 1);
    column_ = std::clamp(column_, 0, columns_ - 1);
}

int TerminalScreen::param(std::size_t i, int fallback) const {
    return i < params_.size() && params_[i] > 0 ? params_[i] : fallback;
}

void TerminalScreen::line_feed() {
    const int bottom = region_bottom();
    if (row_ != bottom) {
        if (row_ < rows_ - 1) ++row_;
        return;
    }
    if (top_ > 0 || bottom < rows_ - 1) {
        scroll_lines(top_, bottom, 1); // a region scrolls within the screen
        return;
    }
    lines_.push_back({});
    if (lines_.size() > scrollback_ + rows_) lines_.pop_front();
}

void TerminalScreen::reverse_line_feed() {
    if (row_ == top_)
        scroll_lines(top_, region_bottom(), -1);
    else if (row_ > 0)
        --row_;
}

void TerminalScreen::scroll_lines(int top, int bottom, int count) {
    if (top > bottom) return;
    const int height = bottom - top + 1;
    count = std::clamp(count, -height, height);
    const std::size_t first = first_screen_line() + static_cast<std::size_t>(top);
    auto begin = lines_.begin() + static_cast<std::ptrdiff_t>(first);
    auto end = begin + height;
    if (count > 0) {
        std::move(begin + count, end, begin);
        std::for_each(end - count, end, [](ScreenLine& line) { line.clear(); });
    } else if (count < 0) {
        std::move_backward(begin, end + count, end);
        std::for_each(begin, begin - count, [](ScreenLine& line) { line.clear(); });
    }
}

void TerminalScreen::insert_characters(int count) {
    ScreenLine& line = screen_line(row_);
    const auto at = static_cast<std::size_t>(column_);
    if (line.size() <= at) return; // blanks moving right over blanks change nothing
    count = std::min(count, columns_ - column_);
    line.insert(line.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(count),
                Cell{' ', style_});
    if (line.size() > static_cast<std::size_t>(columns_)) line.resize(columns_);
}

void TerminalScreen::delete_characters(int count) {
    ScreenLine& line = screen_line(row_);
    const auto at = static_cast<std::size_t>(column_);
    if (line.size() <= at) return;
    const std::size_t gone = std::min(line.size() - at, static_cast<std::size_t>(count));
    line.erase(line.begin() + static_cast<std::ptrdiff_t>(at),
               line.begin() + static_cast<std::ptrdiff_t>(at + gone));
}

void TerminalScreen::set_scrolling_region() {
    const int top = param(0, 1) - 1;
    const int bottom = std::min(param(1, rows_), rows_) - 1;
    // A region of one line or less means the whole screen; either way the cursor goes home.
    const bool valid = top < bottom;
    top_ = valid ? top : 0;
    bottom_ = valid && bottom < rows_ - 1 ? bottom : -1;
    row_ = column_ = 0;
}

void TerminalScreen::put(std::uint8_t ch) {
    if (wrap_pending_) {
        wrap_pending_ = false;
        column_ = 0;
        line_feed();
    }
    ScreenLine& line = screen_line(row_);
    if (line.size() <= static_cast<std::size_t>(column_)) line.resize(column_ + 1);
    line[column_] = Cell{ch, style_};
    if (column_ < columns_ - 1)
        ++column_;
    else if (autowrap_)
        wrap_pending_ = true; // without autowrap the last column is written over
}

void TerminalScreen::feed(std::string_view bytes) {
    if (bytes.empty()) return;
    ++version_;
    for (char c : bytes) {
        auto byte = static_cast<std::uint8_t>(c);
        switch (mode_) {
        case Mode::ground:
            if (byte >= 0x20 && byte != 0x7F) {
                put(byte);
                continue;
            }
            switch (byte) {
            case '\r':
                column_ = 0;
                wrap_pending_ = false;
                break;
            case '\n':
            case 0x0B:
            case 0x0C:
                wrap_pending_ = false;
                line_feed();
                break;
            case '\b':
                wrap_pending_ = false;
                if (column_ > 0) --column_;
                break;
            case '\t':
                wrap_pending_ = false;
                column_ = std::min((column_ / 8 + 1) * 8, columns_ - 1);
                break;
            case 0x1B:
                mode_ = Mode::escape;
                break;
            default: // BEL, NUL, DEL and other controls show nothing
                break;
            }
            break;
        case Mode::escape:
            mode_ = Mode::ground;
            if (byte == '[') {
                mode_ = Mode::csi;
                params_.clear();
                private_marker_ = false;
            } else if (byte == ']') {
                mode_ = Mode::osc;
                osc_escape_ = false;
            } else if (byte == '(' || byte == ')') {
                mode_ = Mode::charset;
            } else if (byte == '7') {
                saved_row_ = row_;
                saved_column_ = column_;
            } else if (byte == '8') {
                row_ = saved_row_;
                column_ = saved_column_;
                wrap_pending_ = false;
                clamp_cursor();
            } else if (byte == 'c') {
                erase_display(2);
                row_ = column_ = 0;
                style_ = {};
                autowrap_ = true;
                cursor_visible_ = true;
                wrap_pending_ = false;
                top_ = 0;
                bottom_ = -1;
            } else if (byte == 'D') {
                line_feed();
            } else if (byte == 'M') {
                reverse_line_feed();
            } else if (byte == 0x1B) {
                mode_ = Mode::escape;
            }
            break;
        case Mode::charset:
            mode_ = Mode::ground;
            break;
        case Mode::osc:
            // Operating system commands (window titles) end with BEL or ESC \.
            if (byte == 0x07 || (osc_escape_ && byte == '\\')) mode_ = Mode::ground;
            osc_escape_ = byte == 0x1B;
            break;
        case Mode::csi:
            if (byte >= '0' && byte <= '9') {
                if (params_.empty()) params_.push_back(0);
                int& value = params_.back();
                value = std::min(value * 10 + (byte - '0'), max_param_value);
            } else if (byte == ';') {
                if (params_.empty()) params_.push_back(0);
                if (params_.size() < max_params) params_.push_back(0);
            } else if (byte == '?' || byte == '>' || byte == '=') {
                private_marker_ = true;
            } else if (byte >= 0x40 && byte <= 0x7E) {
                mode_ = Mode::ground;
                if (private_marker_)
                    execute_private_mode(byte);
                else
                    execute_csi(byte);
            } else if (byte == 0x1B) {
                mode_ = Mode::escape; // a sequence cut short by a new one
            } else if (byte < 0x20) {
                // Controls inside a sequence act as usual in real terminals; the only ones
                // that matter here move the cursor.
                if (byte == '\r') column_ = 0;
                if (byte == '\n') line_feed();
            }
            // Intermediate bytes (0x20-0x2F) are consumed.
            break;
        }
    }
}

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
