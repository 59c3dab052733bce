// The board's console as a screen: a parser for the VT100/xterm sequences the firmware, its
// full-screen tools and the desktop interpreter send (cursor movement, clearing, colours,
// scrolling regions, inserting and deleting lines and characters, autowrap, size requests,
// status queries) over a grid of cells with a bounded scrollback above it.
// Bytes are characters 0 to 255 (the board's 8-bit text); unknown sequences are consumed and
// ignored so that garbage never leaves the parser stuck or the screen corrupted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

constexpr std::uint8_t default_colour = 0xFF; // the panel's own foreground or background

struct CellStyle {
    std::uint8_t fg = default_colour; // 0-15: the eight ANSI colours, then their bright forms
    std::uint8_t bg = default_colour;
    bool bold = false;
    bool reverse = false;
    bool operator==(const CellStyle&) const = default;
};

struct Cell {
    std::uint8_t ch = ' ';
    CellStyle style;
};

using ScreenLine = std::vector<Cell>; // only as long as written; missing cells are blanks

class TerminalScreen {
  public:
    explicit TerminalScreen(int columns = 80, int rows = 24, std::size_t scrollback = 10000);

    void feed(std::string_view bytes);
    void clear(); // empties screen and scrollback, cursor home, style reset
    void resize(int columns, int rows);
    // The panel's size: taken unless the other end asked for a size of its own (ESC[8;r;c t),
    // which it draws for; clear() gives the panel its say again.
    void fit(int columns, int rows);
    bool size_requested() const { return size_requested_; }
    // Answers to the other end's queries (cursor position ESC[6n, status ESC[5n), for the link;
    // taking them empties the queue.
    std::string take_answers();

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // All kept lines: the scrollback, then the `rows()` lines of the screen.
    std::size_t line_count() const { return lines_.size(); }
    const ScreenLine& line(std::size_t index) const { return lines_[index]; }
    std::size_t first_screen_line() const { return lines_.size() - rows_; }
    int cursor_row() const { return row_; } // 0-based on the screen
    int cursor_column() const { return column_; }
    bool cursor_visible() const { return cursor_visible_; }
    bool autowrap() const { return autowrap_; }
    // Counts every change, so a view repaints only when something happened.
    std::uint64_t version() const { return version_; }
    // A line's characters as UTF-8, trailing blanks removed.
    std::string line_text(std::size_t index) const;
    // Lines `first` to `last` inclusive, joined with LF.
    std::string text(std::size_t first, std::size_t last) const;

  private:
    enum class Mode { ground, escape, csi, osc, charset };

    void put(std::uint8_t ch);
    void line_feed();
    void reverse_line_feed();
    // Moves the lines `top` to `bottom` of the screen by `count` (up when positive), blanks
    // coming in; the scrollback is not touched.
    void scroll_lines(int top, int bottom, int count);
    void insert_characters(int count);
    void delete_characters(int count);
    void set_scrolling_region();
    void execute_csi(std::uint8_t final_byte);
    void erase_display(int how);
    void erase_line(int how);
    void select_graphic_rendition();
    void execute_private_mode(std::uint8_t final_byte);
    void answer_status(int what);
    ScreenLine& screen_line(int row) { return lines_[first_screen_line() + row]; }
    void clamp_cursor();
    int region_bottom() const { return bottom_ < 0 ? rows_ - 1 : bottom_; }
    int param(std::size_t i, int fallback) const;

    int columns_;
    int rows_;
    std::size_t scrollback_;
    std::deque<ScreenLine> lines_;
    int row_ = 0;
    int column_ = 0;
    bool wrap_pending_ = false;
    int top_ = 0;     // the scrolling region, 0-based and inclusive
    int bottom_ = -1; // -1: the screen's last row
    bool autowrap_ = true;
    bool cursor_visible_ = true;
    bool size_requested_ = false;
    std::string answers_;
    int saved_row_ = 0, saved_column_ = 0;
    CellStyle style_;
    Mode mode_ = Mode::ground;
    std::vector<int> params_;
    bool private_marker_ = false;
    bool osc_escape_ = false;
    std::uint64_t version_ = 0;
};
