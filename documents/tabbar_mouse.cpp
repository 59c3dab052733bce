// Tab bar mouse handling: hit testing, close buttons, scroll arrows, wheel, and the event codes.
#include "documents/tabbar.h"

#include <algorithm>

namespace {

TabRect hit_area(const TabItem& item) {
    TabRect area = item.rect;
    area.width -= 1;
    area.height -= 1;
    return area;
}

void scroll_by(TabBar& bar, int tabs) {
    bar.first_shown = std::clamp(bar.first_shown + tabs, 0, int(bar.items.size()));
}

std::string item_tooltip(const TabBar& bar, const TabItem& item) {
    if (!item.tooltip.empty()) return item.tooltip;
    std::string tip = bar.tooltip_template;
    const std::string_view marker = "%ITEM";
    for (std::size_t at = tip.find(marker); at != std::string::npos;
         at = tip.find(marker, at + item.text.size())) {
        tip.replace(at, marker.size(), item.text);
    }
    return tip;
}

} // namespace

int tabbar_item_at(const TabBar& bar, int x, int y) {
    int found = tabbar_position_none;
    for (int i = 0; i < int(bar.items.size()); ++i) {
        const TabItem& item = bar.items[i];
        if (item.visible && hit_area(item).contains(x, y)) found = i;
    }
    if ((bar.flags & tabbar_flag_plus_button) && bar.plus.visible &&
        hit_area(bar.plus).contains(x, y))
        found = tabbar_position_plus;
    return found;
}

TabRect tabbar_close_box(const TabBar& bar, const TabItem& item) {
    const int size = bar.look.close_size;
    return {item.rect.x + item.rect.width - item.inset - size,
            item.rect.y + (item.rect.height - size) / 2, size, size};
}

TabRect tabbar_mark_box(const TabBar& bar, const TabItem& item) {
    const int size = bar.look.close_size;
    return {item.rect.x + item.inset, item.rect.y + (item.rect.height - size) / 2, size, size};
}

TabRect tabbar_arrow_box(const TabBar& bar, unsigned arrow) {
    const TabBarDefaults& look = bar.look;
    int x = 0;
    if (arrow == tabbar_hidden_right) {
        x = bar.width - look.arrow_width;
        if (bar.flags & tabbar_flag_plus_button) x -= bar.plus.width + look.margin;
    }
    const int centre = (bar.height + look.margin) / 2;
    return {x, centre - look.arrow_height / 2, look.arrow_width, look.arrow_height};
}

int tabbar_handle_event(TabBar& bar, const TabMouseEvent& event, const TextMeasure& measure) {
    const TabMouseKind kind = event.kind;
    // The second press of a double-click presses like the first one.
    const bool left_press = kind == TabMouseKind::left_down || kind == TabMouseKind::double_click;
    int code = tabbar_event_none;
    bar.mouse_x = event.x;
    bar.mouse_y = event.y;
    bar.event_position = tabbar_position_none;
    bar.hovered = tabbar_position_none;
    bar.over_close = false;
    bar.hovered_arrow = 0;
    std::string tooltip;

    if (bar.dragged == tabbar_position_none && kind != TabMouseKind::leave)
        bar.hovered = tabbar_item_at(bar, event.x, event.y);

    bool over_arrow = false;
    const unsigned arrows = bar.flags & (tabbar_hidden_left | tabbar_hidden_right);
    if (arrows) {
        if (kind == TabMouseKind::wheel) scroll_by(bar, bar.look.wheel_step * event.wheel_delta);
        for (const unsigned arrow : {tabbar_hidden_left, tabbar_hidden_right}) {
            if (!(arrows & arrow) || kind == TabMouseKind::leave ||
                !tabbar_arrow_box(bar, arrow).contains(event.x, event.y))
                continue;
            over_arrow = true;
            bar.hovered = tabbar_position_none;
            bar.hovered_arrow = arrow;
            if (left_press) bar.pressed_arrow = arrow;
            if (kind == TabMouseKind::left_up && bar.pressed_arrow == arrow)
                scroll_by(bar, arrow == tabbar_hidden_left ? -1 : 1);
        }
    }

    if (bar.hovered == tabbar_position_none) {
        if (kind == TabMouseKind::double_click && !over_arrow) code = tabbar_event_new;
    } else {
        const bool is_plus = bar.hovered == tabbar_position_plus;
        TabItem& item = is_plus ? bar.plus : bar.items[bar.hovered];
        tooltip = item_tooltip(bar, item);
        if (!is_plus && (bar.flags & tabbar_flag_close_buttons) &&
            tabbar_close_box(bar, item).contains(event.x, event.y)) {
            bar.over_close = true;
            tooltip = bar.close_tooltip;
        }
        if (is_plus) tooltip = bar.plus_tooltip;
        bar.event_position = bar.hovered;
        if (left_press) {
            bar.pressed = bar.hovered;
            if (is_plus) {
                code = tabbar_event_new;
            } else if (bar.over_close) {
                bar.close_pressed = true;
            } else if (!item.disabled) {
                if (bar.selected != bar.hovered) code = tabbar_event_change;
                bar.selected = bar.hovered;
            }
        }
        if (kind == TabMouseKind::middle_down) bar.pressed = bar.hovered;
        // Released over the close button of the tab the button went down on.
        if (kind == TabMouseKind::left_up && bar.over_close && bar.pressed == bar.hovered)
            code = tabbar_event_close;
        if (kind == TabMouseKind::middle_up && bar.pressed == bar.hovered && !is_plus)
            code = tabbar_event_close;
    }

    // The pressed item lasts only while its button is down, so a later release elsewhere
    // (after a press on the empty part or an arrow) cannot act on it.
    if (kind == TabMouseKind::left_up) {
        bar.close_pressed = false;
        bar.pressed_arrow = 0;
        bar.pressed = tabbar_position_none;
        bar.dragged = tabbar_position_none;
    }
    if (kind == TabMouseKind::middle_up) {
        bar.pressed = tabbar_position_none;
        bar.dragged = tabbar_position_none;
    }
    bar.tooltip_shown = tooltip;
    bar.event_code = code;
    tabbar_layout(bar, measure);
    return code;
}
