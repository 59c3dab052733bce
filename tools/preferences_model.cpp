#include "tools/preferences_model.h"

ColourScheme default_colour_scheme() {
    ColourScheme scheme{};
    auto set = [&](ColourItem item, Colour colour) { scheme[static_cast<int>(item)] = colour; };
    set(ColourItem::DefaultFore, 0x000000);
    set(ColourItem::DefaultBack, 0xFFFFFF);
    set(ColourItem::Keyword, 0xFF0000);
    set(ColourItem::Comment, 0xBBBBBB);
    set(ColourItem::Number, 0x0000FF);
    set(ColourItem::String, 0x32B450);
    set(ColourItem::Identifier, 0xFF0000);
    set(ColourItem::Handle, 0xFF0000);
    set(ColourItem::Label, 0xFF00CC);
    set(ColourItem::Selected, 0xFFFFFF);
    set(ColourItem::SelectedBack, 0xFF0000);
    set(ColourItem::LineNumber, 0x000000);
    set(ColourItem::Margin, 0xA4FFFF);
    set(ColourItem::Caret, 0xFF0000);
    set(ColourItem::CaretBack, 0xA4FFFF);
    set(ColourItem::CallTipBack, 0xCBFFFF);
    set(ColourItem::CallTip, 0x000000);
    set(ColourItem::Bookmark, 0x000000);
    set(ColourItem::FoldmarkerBack, 0x000000);
    return scheme;
}

std::optional<PreviewTarget> preview_click_target(int x, int y) {
    if (x < 0 || y < 0) return std::nullopt;
    if (x < 70) return PreviewTarget{ColourItem::Margin, "Margin background colour."};
    const int row = y / 40 + 1;
    const bool background = x > 220;
    switch (row) {
    case 1:
        return background
                   ? PreviewTarget{ColourItem::DefaultBack, "Default background colour.", true}
                   : PreviewTarget{ColourItem::DefaultFore, "Default foreground colour."};
    case 2:
        return background
                   ? PreviewTarget{ColourItem::DefaultBack, "Default background colour.", true}
                   : PreviewTarget{ColourItem::Comment, "Comment colour."};
    case 3:
        return PreviewTarget{ColourItem::Keyword, "Keywords colour."};
    case 4:
        return PreviewTarget{ColourItem::Label, "Labels/Functions colour."};
    case 5:
        return PreviewTarget{ColourItem::Number, "Numbers colour."};
    case 6:
        return PreviewTarget{ColourItem::String, "\"Strings\" colour."};
    case 7:
        return PreviewTarget{ColourItem::CaretBack, "Current line colour."};
    case 8:
        return PreviewTarget{ColourItem::SelectedBack, "Selected text colour."};
    default:
        return std::nullopt;
    }
}

const std::array<PreviewText, 10>& preview_texts() {
    using C = ColourItem;
    static const std::array<PreviewText, 10> texts{{
        {5, 10, "Margin", std::nullopt, C::Margin},
        {80, 10, "Default text", C::DefaultFore, C::DefaultBack},
        {80, 50, "'Comments", C::Comment, C::DefaultBack},
        {80, 90, "Keywords", C::Keyword, C::DefaultBack},
        {80, 130, "User labels", C::Label, C::DefaultBack},
        {80, 170, "Numbers", C::Number, C::DefaultBack},
        {80, 210, "\"Strings\"", C::String, C::DefaultBack},
        {80, 250, "Current line", C::DefaultFore, C::CaretBack},
        {80, 290, "Selected text", C::Selected, C::SelectedBack},
        {230, 10, "(Background)", C::DefaultFore, C::DefaultBack},
    }};
    return texts;
}
