// What the preferences window edits, without its widgets: the default colours, which colour a
// click on the preview edits, and the preview's texts.
#pragma once

#include "base/settings.h"

#include <array>
#include <optional>
#include <string>

using ColourScheme = std::array<Colour, colour_item_count>;

// The scheme the "Default" button sets.
ColourScheme default_colour_scheme();

inline constexpr const char* preview_caption = "Select the Item to change colours.";

struct PreviewTarget {
    ColourItem item;
    std::string caption;           // shown while the colour is chosen
    bool focus_save_first = false; // the background items move the focus to "Save" first
};

// The colour a click at (x, y) in the preview edits; nothing below the last row.
std::optional<PreviewTarget> preview_click_target(int x, int y);

struct PreviewText {
    int x, y;
    const char* text;
    std::optional<ColourItem> fore; // nothing: black
    ColourItem back;
};
// The preview's texts in drawing order.
const std::array<PreviewText, 10>& preview_texts();
