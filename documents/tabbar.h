// The tab bar record: its look, its items and the "+" button, and the operations on them; the
// layout and the mouse handling are pure and measure captions through a caller-supplied function.
#pragma once

#include "documents/tabbar_colour.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Attribute flags of a bar.
inline constexpr unsigned tabbar_flag_close_buttons = 0x01;
inline constexpr unsigned tabbar_flag_plus_button = 0x02;
inline constexpr unsigned tabbar_flag_text_cutting = 0x04;
inline constexpr unsigned tabbar_flag_no_reordering = 0x20;
inline constexpr unsigned tabbar_flag_bottom_line = 0x80;
// Item flags: a small mark before the caption, for a file that lives on a board as well.
inline constexpr unsigned tabbar_item_flag_marked = 0x01;
// Set by the layout while tabs are scrolled out of sight; they are also the scroll arrows' ids.
inline constexpr unsigned tabbar_hidden_left = 0x40000000u;
inline constexpr unsigned tabbar_hidden_right = 0x80000000u;
// The editor's bar: close buttons, "+" button, text cutting, no reordering, bottom line.
inline constexpr unsigned tabbar_program_flags = 0xA7;

// Positions in the operations: 0 and up name a tab.
inline constexpr int tabbar_position_none = -1; // no item; when adding: at the end
inline constexpr int tabbar_position_plus = -2; // the "+" button
inline constexpr int tabbar_position_selected = -3;

// Event codes reported by the mouse handling.
inline constexpr int tabbar_event_none = 0;
inline constexpr int tabbar_event_new = 1;    // "+" pressed, or the empty part double-clicked
inline constexpr int tabbar_event_close = 2;  // close button clicked, or tab middle-clicked
inline constexpr int tabbar_event_change = 3; // another tab selected with the left button
inline constexpr int tabbar_event_moved = 4;  // a tab dragged elsewhere (reordering is not offered)

// The look of a bar; colours are filled from the system at start-up.
struct TabBarDefaults {
    TabColour bar_colour = 0xFFF0F0F0u;
    TabColour face_colour = 0xFFF0F0F0u;
    TabColour hover_lift = 0xFF101010u;
    TabColour selected_lift = 0xFF101010u;
    TabColour border_colour = 0xFFA0A0A0u;
    TabColour text_colour = 0xFF000000u;
    std::string font; // caption font, described in the form the widget layer understands
    int text_inset = 6;
    int margin = 4;
    int spacing = 3;
    int close_size = 13;
    int arrow_width = 10;
    int arrow_height = 16;
    int corner_radius = 3;
    int min_tab_width = 0;
    int max_tab_width = 0x7FFF;
    int fade_width = 32;
    int wheel_step = 1;
};

struct TabRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

// Measured widths of a text and its cut forms, kept while the text stays the same.
struct TabTextCache {
    std::string text;           // the text the entries below belong to
    std::vector<unsigned> ends; // ends[n]: bytes taken by the first n characters
    int tail = 0; // characters at the end every cut form keeps: the extension and " *" mark
    // widths[n]: n characters followed by ".." (at the full length: the whole text); -1 unknown
    std::vector<int> widths;
};

struct TabItem {
    std::string text;
    std::string shown_text; // the text, or its cut form while space is short
    TabColour text_colour = 0;
    TabColour face_colour = 0;
    unsigned flags = 0;
    bool disabled = false; // can't be selected, drawn faded
    std::string tooltip;
    // Results of the last layout.
    int width = 0;
    int row = 0;
    int x = 0;
    bool visible = false;
    int state = 0; // -1 disabled, 0 normal, 1 hovered, 2 selected, 3 dragged
    TabRect rect;  // where it is drawn and hit; reaches below the bar
    int inset = 0; // inner inset of the rectangle
    TabTextCache measured;
};

struct TabBar {
    int x = 0, y = 0, width = 0, height = 0;
    unsigned flags = 0;
    TabBarDefaults look;
    std::vector<TabItem> items;
    TabItem plus; // the "+" button, shown with flag 0x02
    // Items by position (-1 none, -2 the "+" button).
    int selected = tabbar_position_none;
    int hovered = tabbar_position_none;
    int pressed = tabbar_position_none;
    int dragged = tabbar_position_none; // never set: reordering is not offered
    unsigned hovered_arrow = 0;         // 0 or tabbar_hidden_left / tabbar_hidden_right
    unsigned pressed_arrow = 0;
    bool over_close = false;    // the mouse is over the hovered tab's close button
    bool close_pressed = false; // the left button went down on that close button
    int mouse_x = 0, mouse_y = 0;
    int event_code = tabbar_event_none;
    int event_position = tabbar_position_none;
    int first_shown = 0; // scroll position: tabs before it are hidden on the left
    bool bring_into_view = false;
    int available_width = 0;
    int total_width = 0;
    int corner_radius = 3;
    int min_tab_width = 0;
    int max_tab_width = 0x7FFF;
    int row_height = 0;           // taken at the first layout
    std::string tooltip_template; // "%ITEM" stands for the tab's text
    std::string plus_tooltip;
    std::string close_tooltip;
    std::string tooltip_shown;
};

// Pixel width of a caption in the bar's font.
using TextMeasure = std::function<int(std::string_view)>;

enum class TabMouseKind {
    move,
    left_down,
    left_up,
    middle_down,
    middle_up,
    double_click,
    wheel,
    leave
};

// One mouse event of the bar's surface. A double-click stands for the second press of the
// left button. `wheel_delta` counts notches, positive away from the user.
struct TabMouseEvent {
    TabMouseKind kind = TabMouseKind::move;
    int x = 0, y = 0;
    int wheel_delta = 0;
};

// A bar with no items; it is laid out by the first tabbar_layout.
TabBar tabbar_create(const TabBarDefaults& defaults, int x, int y, int width, int height,
                     unsigned flags);
// -2 turns the "+" button on with `text`; -1 appends a tab; an existing position inserts before
// it. Returns the item's position, or -1 when nothing was added.
int tabbar_add_item(TabBar& bar, int position, std::string text, unsigned flags = 0);
// Renames a tab (or -2 the "+" button, -3 the selected tab); other positions are ignored.
void tabbar_set_item_text(TabBar& bar, int position, std::string text);
// Selects the tab at `position` and scrolls it into view at the next layout; -1 and -2 select
// none, -3 keeps the selection, a position naming no tab selects none.
void tabbar_select(TabBar& bar, int position);
void tabbar_clear(TabBar& bar);
// Position of the item the last mouse event concerned: a tab, -2 the "+" button, -1 none.
int tabbar_event_item(const TabBar& bar);

// Widths, caption cutting, scrolling and placement of every item.
void tabbar_layout(TabBar& bar, const TextMeasure& measure);
// Handles one mouse event of the bar's surface, lays the bar out again and returns the event code.
int tabbar_handle_event(TabBar& bar, const TabMouseEvent& event, const TextMeasure& measure);

// The square of the mark before a marked tab's caption (its left edge is the caption's start).
TabRect tabbar_mark_box(const TabBar& bar, const TabItem& item);
// The close button's square on a tab.
TabRect tabbar_close_box(const TabBar& bar, const TabItem& item);
// The button area of the left or right scroll arrow (tabbar_hidden_left / tabbar_hidden_right).
TabRect tabbar_arrow_box(const TabBar& bar, unsigned arrow);
// The item under a point (a tab position, -2 the "+" button, -1 none), as of the last layout.
int tabbar_item_at(const TabBar& bar, int x, int y);
// `shown` shortened further until it fits `room` pixels, keeping at least three characters
// before the "..": the caption drawn inside a tab's text area. Cut forms keep the end of the
// text: a short extension (".bas") and the modified mark " *" ("third-pa...bas *").
std::string tabbar_fit_caption(std::string_view text, std::string_view shown, int room,
                               const TextMeasure& measure);
// Whether a caption is valid UTF-8 (then it is cut and shown by characters, else by bytes).
bool tabbar_text_is_utf8(std::string_view text);
