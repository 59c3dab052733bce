// VT100-subset parser and screen model: the grid, the scrollback and the byte parser.
#include "device/terminal_screen.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t max_params = 16;
constexpr int max_param_value = 9999;

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
