// The tab bar's record operations: creating the bar, adding, renaming, selecting and clearing.
#include "documents/tabbar.h"

#include <utility>

namespace {

bool names_tab(const TabBar& bar, int position) {
    return position >= 0 && position < int(bar.items.size());
}

TabItem new_item(const TabBar& bar, std::string text, unsigned flags) {
    TabItem item;
    item.shown_text = text;
    item.text = std::move(text);
    item.text_colour = bar.look.text_colour;
    item.face_colour = bar.look.face_colour;
    item.flags = flags;
    item.inset = bar.look.text_inset;
    return item;
}

} // namespace

TabBar tabbar_create(const TabBarDefaults& defaults, int x, int y, int width, int height,
                     unsigned flags) {
    TabBar bar;
    bar.x = x;
    bar.y = y;
    bar.width = width;
    bar.height = height;
    bar.flags = flags & ~(tabbar_hidden_left | tabbar_hidden_right);
    bar.look = defaults;
    bar.corner_radius = defaults.corner_radius;
    bar.min_tab_width = defaults.min_tab_width;
    bar.max_tab_width = defaults.max_tab_width;
    bar.plus = new_item(bar, "", 0);
    return bar;
}

int tabbar_add_item(TabBar& bar, int position, std::string text, unsigned flags) {
    if (position == tabbar_position_plus) {
        bar.flags |= tabbar_flag_plus_button;
        bar.plus = new_item(bar, std::move(text), flags);
        return tabbar_position_plus;
    }
    if (position == tabbar_position_none) {
        bar.items.push_back(new_item(bar, std::move(text), flags));
        return int(bar.items.size()) - 1;
    }
    if (!names_tab(bar, position)) return tabbar_position_none;
    bar.items.insert(bar.items.begin() + position, new_item(bar, std::move(text), flags));
    // The selection stays on the same tab; hover and press are refreshed by the next mouse event.
    if (bar.selected >= position) ++bar.selected;
    if (bar.hovered >= 0) bar.hovered = tabbar_position_none;
    if (bar.pressed >= 0) bar.pressed = tabbar_position_none;
    return position;
}

void tabbar_set_item_text(TabBar& bar, int position, std::string text) {
    if (position == tabbar_position_selected) position = bar.selected;
    TabItem* item = nullptr;
    if (position == tabbar_position_plus)
        item = &bar.plus;
    else if (names_tab(bar, position))
        item = &bar.items[position];
    if (!item) return;
    item->shown_text = text;
    item->text = std::move(text);
}

void tabbar_select(TabBar& bar, int position) {
    if (position == tabbar_position_selected) return;
    if (names_tab(bar, position)) {
        bar.selected = position;
        bar.bring_into_view = true;
    } else {
        bar.selected = tabbar_position_none;
    }
}

void tabbar_clear(TabBar& bar) {
    bar.items.clear();
    bar.selected = tabbar_position_none;
    if (bar.hovered >= 0) bar.hovered = tabbar_position_none;
    if (bar.pressed >= 0) bar.pressed = tabbar_position_none;
    bar.dragged = tabbar_position_none;
    bar.over_close = false;
    bar.close_pressed = false;
}

int tabbar_event_item(const TabBar& bar) {
    return bar.event_position;
}

bool tabbar_text_is_utf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = text[i];
        int follow = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + follow >= text.size()) return false;
        for (int k = 1; k <= follow; ++k) {
            const unsigned char next = text[i + k];
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((follow == 2 && code < 0x800) || (follow == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}
