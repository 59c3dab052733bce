// The tab bar layout and mouse handling: any sequence of adding, renaming, selecting, clearing,
// resizing and mouse events keeps every position it reports naming an item, every caption the
// text itself or a cut form of it, and the item found under a point really there.
#include "documents/tabbar.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Deterministic widths with some variety: each byte 3 to 9 pixels.
int measure_text(std::string_view text) {
    int width = 0;
    for (const char c : text) width += 3 + static_cast<unsigned char>(c) % 7;
    return width;
}

bool names_item_or_none(const TabBar& bar, int position) {
    return position == tabbar_position_none || position == tabbar_position_plus ||
           (position >= 0 && position < static_cast<int>(bar.items.size()));
}

void check_bar(const TabBar& bar) {
    const int count = static_cast<int>(bar.items.size());
    FUZZ_CHECK(bar.selected == tabbar_position_none || (bar.selected >= 0 && bar.selected < count));
    FUZZ_CHECK(names_item_or_none(bar, bar.hovered));
    FUZZ_CHECK(names_item_or_none(bar, bar.pressed));
    FUZZ_CHECK(bar.first_shown >= 0 && bar.first_shown <= count);
    FUZZ_CHECK(bar.event_code >= tabbar_event_none && bar.event_code <= tabbar_event_moved);
    for (const TabItem& item : bar.items) {
        if (item.shown_text == item.text) continue;
        // A cut form: some leading characters of the text, "..", and the text's kept tail
        // (such as ".bas" and the " *" mark), fewer characters of the text than it has.
        FUZZ_CHECK(bar.flags & tabbar_flag_text_cutting);
        const std::string_view shown = item.shown_text;
        const std::string_view text = item.text;
        bool cut_form = false;
        for (std::size_t head = 0; !cut_form && head + 2 <= shown.size(); ++head)
            cut_form = shown.substr(head, 2) == ".." && text.starts_with(shown.substr(0, head)) &&
                       text.ends_with(shown.substr(head + 2)) && shown.size() - 2 < text.size();
        FUZZ_CHECK(cut_form);
    }
}

void check_point(const TabBar& bar, int x, int y) {
    const int at = tabbar_item_at(bar, x, y);
    FUZZ_CHECK(names_item_or_none(bar, at));
    if (at >= 0) {
        const TabItem& item = bar.items[at];
        FUZZ_CHECK(item.visible && item.rect.contains(x, y));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const unsigned flags = input.ConsumeIntegral<std::uint8_t>();
    TabBarDefaults look;
    look.min_tab_width = input.ConsumeIntegralInRange(0, 120);
    look.max_tab_width = input.ConsumeIntegralInRange(look.min_tab_width, 0x7FFF);
    TabBar bar = tabbar_create(
        look, input.ConsumeIntegralInRange(-10, 50), input.ConsumeIntegralInRange(-10, 50),
        input.ConsumeIntegralInRange(0, 1500), input.ConsumeIntegralInRange(0, 60), flags);
    tabbar_layout(bar, measure_text);
    check_bar(bar);

    for (int step = 0; step < 200 && input.remaining_bytes() > 0; ++step) {
        const int count = static_cast<int>(bar.items.size());
        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0:
        case 1:
            if (count < 60)
                tabbar_add_item(bar, input.ConsumeIntegralInRange(-3, count + 1),
                                input.ConsumeRandomLengthString(40),
                                input.ConsumeIntegral<std::uint8_t>());
            break;
        case 2:
            tabbar_set_item_text(bar, input.ConsumeIntegralInRange(-3, count + 1),
                                 input.ConsumeRandomLengthString(40));
            break;
        case 3:
            tabbar_select(bar, input.ConsumeIntegralInRange(-3, count + 1));
            break;
        case 4:
            if (input.ConsumeIntegralInRange(0, 7) == 0) tabbar_clear(bar);
            break;
        case 5:
            bar.width = input.ConsumeIntegralInRange(0, 1500);
            bar.height = input.ConsumeIntegralInRange(0, 60);
            break;
        default: {
            TabMouseEvent event;
            event.kind = static_cast<TabMouseKind>(input.ConsumeIntegralInRange(0, 7));
            event.x = input.ConsumeIntegralInRange(bar.x - 40, bar.x + bar.width + 40);
            event.y = input.ConsumeIntegralInRange(bar.y - 20, bar.y + bar.height + 20);
            event.wheel_delta = input.ConsumeIntegralInRange(-5, 5);
            const int code = tabbar_handle_event(bar, event, measure_text);
            FUZZ_CHECK(code == bar.event_code);
            // The item of an event is read right after it, before the tabs change again.
            FUZZ_CHECK(names_item_or_none(bar, tabbar_event_item(bar)));
            check_point(bar, event.x, event.y);
            break;
        }
        }
        tabbar_layout(bar, measure_text);
        check_bar(bar);
        for (const TabItem& item : bar.items) {
            if (!item.visible) continue;
            check_point(bar, item.rect.x + item.rect.width / 2, item.rect.y + item.rect.height / 2);
            const std::string caption = tabbar_fit_caption(
                item.text, item.shown_text, input.ConsumeIntegralInRange(0, 200), measure_text);
            // A cut caption keeps the name's tail (".bas", the " *" mark) after its "..".
            FUZZ_CHECK(caption == item.shown_text || caption.find("..") != std::string::npos);
        }
    }
    return 0;
}
