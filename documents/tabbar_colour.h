// Colours of the tab bar (0xAABBGGRR) and the per-channel lighten and darken used to shade them.
#pragma once

#include <cstdint>

// A colour with red in the lowest byte, then green, then blue, and alpha in the top byte.
using TabColour = std::uint32_t;

inline constexpr TabColour tab_colour_opaque = 0xFF000000u;

// Adds the low three bytes of `amount` to red, green and blue of `colour`, each stopping at 255;
// the alpha byte of `colour` is kept.
constexpr TabColour lighten_colour(TabColour colour, TabColour amount) {
    TabColour result = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned sum = ((colour >> shift) & 0xFFu) + ((amount >> shift) & 0xFFu);
        result |= (sum >= 255 ? 255u : sum) << shift;
    }
    return result;
}

// Takes the low three bytes of `amount` from red, green and blue of `colour`, each stopping at 0;
// the alpha byte of `colour` is kept.
constexpr TabColour darken_colour(TabColour colour, TabColour amount) {
    TabColour result = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = int((colour >> shift) & 0xFFu) - int((amount >> shift) & 0xFFu);
        result |= TabColour(difference > 0 ? difference : 0) << shift;
    }
    return result;
}

// The same colour with another alpha byte.
constexpr TabColour with_alpha(TabColour colour, unsigned alpha) {
    return (colour & 0x00FFFFFFu) | (TabColour(alpha & 0xFFu) << 24);
}

constexpr unsigned colour_alpha(TabColour colour) {
    return colour >> 24;
}
