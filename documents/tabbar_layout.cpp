// Tab bar layout: tab widths, caption cutting (widest first), scrolling and placement of the items.
#include "documents/tabbar.h"

#include <algorithm>

namespace {

constexpr unsigned hidden_bits = tabbar_hidden_left | tabbar_hidden_right;
constexpr int out_of_sight_left = -65535;
constexpr int out_of_sight_right = 0xFFFF;
constexpr int fewest_cut_characters = 3;
constexpr int empty_plus_extra = 16;

constexpr std::string_view modified_mark = " *";
constexpr std::size_t longest_kept_extension = 5; // the dot included

// Characters at the end of `text` that every cut form keeps: a short extension and the modified
// mark after it, so a cut caption still says what kind of file it is and that it is changed.
int kept_tail(const std::string& text, const std::vector<unsigned>& ends) {
    std::string_view rest = text;
    std::size_t bytes = 0;
    if (rest.ends_with(modified_mark)) {
        rest.remove_suffix(modified_mark.size());
        bytes += modified_mark.size();
    }
    const std::size_t dot = rest.rfind('.');
    if (dot != std::string_view::npos && dot > 0 && rest.size() - dot <= longest_kept_extension)
        bytes += rest.size() - dot;
    const unsigned start = unsigned(text.size() - bytes);
    for (std::size_t n = 0; n < ends.size(); ++n)
        if (ends[n] == start) return int(ends.size() - 1 - n);
    return 0; // the tail does not start on a character: nothing is kept
}

// The cache of `item`, rebuilt (character ends, unknown widths) when its text has changed.
TabTextCache& cache_for(TabItem& item) {
    TabTextCache& cache = item.measured;
    if (!cache.ends.empty() && cache.text == item.text) return cache;
    const std::string& text = item.text;
    const bool utf8 = tabbar_text_is_utf8(text);
    cache.text = text;
    cache.ends.assign(1, 0);
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || !utf8 || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            cache.ends.push_back(unsigned(i));
    cache.widths.assign(cache.ends.size(), -1);
    cache.tail = kept_tail(text, cache.ends);
    return cache;
}

// The fewest characters a cut form of `item` shows: three of its start and its kept tail.
int fewest_characters(TabItem& item) {
    return fewest_cut_characters + cache_for(item).tail;
}

int characters(TabItem& item) {
    return int(cache_for(item).ends.size()) - 1;
}

// `n` characters: the start of the text, "..", and the kept tail; the whole text when n is its
// length.
std::string cut_form(const TabItem& item, int n) {
    const TabTextCache& cache = item.measured;
    const int count = int(cache.ends.size()) - 1;
    if (n >= count) return item.text;
    const int head = std::max(n - cache.tail, 0);
    std::string form(item.text, 0, cache.ends[head]);
    form += "..";
    form.append(item.text, cache.ends[count - cache.tail], std::string::npos);
    return form;
}

// Width of cut_form(item, n), measured once per text.
int text_width(TabItem& item, int n, const TextMeasure& measure) {
    int& width = cache_for(item).widths[n];
    if (width < 0) width = std::max(0, measure(cut_form(item, n)));
    return width;
}

int clamp_width(const TabBar& bar, int width) {
    return std::max(bar.min_tab_width, std::min(bar.max_tab_width, width));
}

// Width of a tab whose caption is `text_w` wide, before clamping.
int unclamped_tab_width(const TabBar& bar, const TabItem& item, int text_w) {
    int width = text_w + 2 * bar.look.text_inset;
    if (bar.flags & tabbar_flag_close_buttons) width += bar.look.close_size + bar.look.spacing;
    if (item.flags & tabbar_item_flag_marked) width += bar.look.close_size + bar.look.spacing;
    return width;
}

int tab_width(const TabBar& bar, TabItem& item, int n, const TextMeasure& measure) {
    return clamp_width(bar, unclamped_tab_width(bar, item, text_width(item, n, measure)));
}

// The fewest characters cutting leaves on a tab: it is cut while it has more than three and is
// wider than the minimum tab width. A tab whose shortest form is no narrower than its whole
// text is not cut at all (a four-letter name would otherwise grow into "abc..").
int floor_characters(const TabBar& bar, TabItem& item, const TextMeasure& measure) {
    const int count = characters(item);
    const int fewest = fewest_characters(item);
    if (count <= fewest) return count;
    const int full = text_width(item, count, measure);
    if (unclamped_tab_width(bar, item, full) <= bar.min_tab_width) return count;
    int n = fewest;
    // Cut forms narrow as they shorten, so the three-character form decides in the usual case.
    if (unclamped_tab_width(bar, item, text_width(item, n, measure)) <= bar.min_tab_width) {
        n = count - 1;
        while (n > fewest &&
               unclamped_tab_width(bar, item, text_width(item, n, measure)) > bar.min_tab_width)
            --n;
    }
    return text_width(item, n, measure) < full ? n : count;
}

// Cuts captions, widest tab first (leftmost among equals), one character at a time, until the
// tabs fit `available` or no tab can be cut further. Sets every tab's shown text and width and
// returns the total width (neighbours overlap by one pixel).
int cut_texts(TabBar& bar, int available, const TextMeasure& measure) {
    const int count = int(bar.items.size());
    std::vector<int> shown(count);
    int total = 0;
    for (int i = 0; i < count; ++i) {
        TabItem& item = bar.items[i];
        shown[i] = characters(item);
        item.width = tab_width(bar, item, shown[i], measure);
        total += item.width - 1;
    }
    if (total > available) {
        std::vector<int> floor(count);
        int floor_total = 0;
        for (int i = 0; i < count; ++i) {
            floor[i] = floor_characters(bar, bar.items[i], measure);
            floor_total += tab_width(bar, bar.items[i], floor[i], measure) - 1;
        }
        if (floor_total > available) {
            // Every tab ends at its floor whatever the order, so skip the one-by-one steps.
            for (int i = 0; i < count; ++i) {
                shown[i] = floor[i];
                bar.items[i].width = tab_width(bar, bar.items[i], floor[i], measure);
            }
            total = floor_total;
        } else {
            struct Entry {
                int width;
                int index;
            };
            // Heap order: the widest on top, the leftmost among equals.
            auto below = [](const Entry& a, const Entry& b) {
                return a.width < b.width || (a.width == b.width && a.index > b.index);
            };
            std::vector<Entry> work;
            for (int i = 0; i < count; ++i)
                if (shown[i] > floor[i]) work.push_back({bar.items[i].width, i});
            std::make_heap(work.begin(), work.end(), below);
            while (total > available && !work.empty()) {
                std::pop_heap(work.begin(), work.end(), below);
                Entry& widest = work.back();
                const int i = widest.index;
                if (shown[i] <= floor[i]) {
                    work.pop_back();
                    continue;
                }
                --shown[i];
                const int width = tab_width(bar, bar.items[i], shown[i], measure);
                total -= widest.width - width;
                widest.width = width;
                bar.items[i].width = width;
                std::push_heap(work.begin(), work.end(), below);
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        TabItem& item = bar.items[i];
        if (shown[i] == characters(item)) {
            if (item.shown_text != item.text) item.shown_text = item.text;
        } else {
            item.shown_text = cut_form(item, shown[i]);
        }
    }
    return total;
}

// Whole captions, no cutting; returns the total width.
int full_widths(TabBar& bar, const TextMeasure& measure) {
    int total = 0;
    for (TabItem& item : bar.items) {
        if (item.shown_text != item.text) item.shown_text = item.text;
        item.width = tab_width(bar, item, characters(item), measure);
        total += item.width - 1;
    }
    return total;
}

int available_width(const TabBar& bar) {
    const TabBarDefaults& look = bar.look;
    int available = bar.width - 2 * look.margin;
    const bool plus_on = bar.flags & tabbar_flag_plus_button;
    if (plus_on) available -= bar.plus.width - 1;
    if (bar.flags & tabbar_hidden_left) available -= look.arrow_width + look.fade_width;
    if (bar.flags & tabbar_hidden_right)
        available -= look.arrow_width + (plus_on ? look.margin : 0);
    return available;
}

// Sum of (width - 1) of the tabs from `first` to `last` inclusive.
int span_width(const TabBar& bar, int first, int last) {
    int sum = 0;
    for (int i = first; i <= last; ++i) sum += bar.items[i].width - 1;
    return sum;
}

// The scroll position: brings the selected tab into view, then scrolls back while the tab
// before the first shown one would still fit. Returns the width from the first shown tab on.
int scroll(TabBar& bar, int available, bool& bring_into_view) {
    const int count = int(bar.items.size());
    const int selected = bar.selected;
    if (bring_into_view && selected >= 0 && selected < count) {
        if (selected < bar.first_shown) {
            bar.first_shown = selected;
            bring_into_view = false;
        } else {
            int edge = span_width(bar, bar.first_shown, selected);
            while (edge > available && bar.first_shown < selected)
                edge -= bar.items[bar.first_shown++].width - 1;
        }
    }
    int rest = span_width(bar, bar.first_shown, count - 1);
    while (bar.first_shown > 0) {
        const int before = bar.items[bar.first_shown - 1].width;
        const int room = bar.first_shown == 1
                             ? available
                             : available - bar.look.arrow_width - bar.look.fade_width;
        if (before + rest >= room) break;
        --bar.first_shown;
        rest += before - 1;
    }
    return rest;
}

void place(TabBar& bar, int available) {
    const TabBarDefaults& look = bar.look;
    const int count = int(bar.items.size());
    const bool hidden_left = bar.flags & tabbar_hidden_left;
    const bool hidden_right = bar.flags & tabbar_hidden_right;
    if (!hidden_left) bar.first_shown = 0;
    const int start = hidden_left ? look.arrow_width + look.margin + look.fade_width : look.margin;
    for (int i = 0; i < bar.first_shown; ++i) {
        TabItem& item = bar.items[i];
        // The tab just before the shown ones peeks out from under the fade.
        item.visible = i == bar.first_shown - 1;
        item.x = item.visible ? start - item.width + 1 : out_of_sight_left;
    }
    int x = start;
    bool beyond = false;
    for (int i = bar.first_shown; i < count; ++i) {
        TabItem& item = bar.items[i];
        if (beyond && hidden_right) {
            item.x = out_of_sight_right;
            item.visible = false;
            continue;
        }
        item.x = x;
        item.visible = true;
        x += item.width - 1;
        if (x - start > available) beyond = true; // still placed, cut off by the arrow area
    }
    if (bar.flags & tabbar_flag_plus_button) {
        bar.plus.x = hidden_right ? bar.width - bar.plus.width - look.margin / 2 : x;
        bar.plus.visible = true;
    }
}

void set_rectangle(const TabBar& bar, TabItem& item, bool raised) {
    item.rect = {item.x, bar.height - bar.row_height, item.width, bar.row_height + 2};
    item.inset = bar.look.text_inset;
    if (raised) {
        // Stands 2 pixels out on each side and reaches the top edge of the bar.
        item.rect.x -= 2;
        item.rect.width += 4;
        item.rect.y -= 4;
        item.rect.height += 4;
        item.inset += 2;
    }
}

void set_states(TabBar& bar) {
    for (int i = 0; i < int(bar.items.size()); ++i) {
        TabItem& item = bar.items[i];
        item.row = 0;
        item.state = item.disabled       ? -1
                     : i == bar.dragged  ? 3
                     : i == bar.selected ? 2
                     : i == bar.hovered  ? 1
                                         : 0;
        set_rectangle(bar, item, i == bar.selected);
    }
    bar.plus.state = bar.hovered == tabbar_position_plus ? 1 : 0;
    set_rectangle(bar, bar.plus, false);
}

} // namespace

void tabbar_layout(TabBar& bar, const TextMeasure& measure) {
    const int count = int(bar.items.size());
    bar.flags &= ~hidden_bits;
    if (bar.row_height <= 0) bar.row_height = bar.height - bar.look.margin;
    bar.first_shown = std::clamp(bar.first_shown, 0, count);
    if (bar.flags & tabbar_flag_plus_button) {
        TabItem& plus = bar.plus;
        plus.shown_text = plus.text;
        plus.width = text_width(plus, characters(plus), measure) + 2 * bar.look.text_inset +
                     (plus.text.empty() ? empty_plus_extra : 0);
    }
    bool bring_into_view = bar.bring_into_view;
    int available = 0;
    int total = 0;
    // The arrows take room, so their appearance calls for another pass; bits are only ever
    // added, so a few passes settle it.
    for (int pass = 0; pass < 4; ++pass) {
        const unsigned before = bar.flags & hidden_bits;
        available = available_width(bar);
        if (bar.flags & tabbar_flag_text_cutting) {
            total = cut_texts(bar, available, measure);
        } else {
            total = full_widths(bar, measure);
        }
        if (count == 0 || ((bar.flags & tabbar_flag_text_cutting) && total <= available)) {
            bar.flags &= ~hidden_bits;
            bar.first_shown = 0;
            available = available_width(bar);
            break;
        }
        const int rest = scroll(bar, available, bring_into_view);
        if (total >= available && bar.first_shown != 0) bar.flags |= tabbar_hidden_left;
        if (rest >= available) bar.flags |= tabbar_hidden_right;
        if ((bar.flags & hidden_bits) == before) break;
    }
    // Once laid out, the selected tab is in view; later scrolling by the user must not undo.
    bar.bring_into_view = false;
    bar.available_width = available;
    bar.total_width = total;
    place(bar, available);
    set_states(bar);
}

std::string tabbar_fit_caption(std::string_view text, std::string_view shown, int room,
                               const TextMeasure& measure) {
    std::string caption(shown);
    if (measure(caption) <= room) return caption;
    // Cut forms of the whole text, shorter and shorter, until one fits: they keep its tail.
    TabItem scratch;
    scratch.text = std::string(text);
    int n = characters(scratch);
    const int fewest = fewest_characters(scratch);
    while (n > fewest && measure(caption) > room) {
        --n;
        caption = cut_form(scratch, n);
    }
    return caption;
}
