// The printed header and the preferences preview's click regions.
#include "tools/preferences_model.h"
#include "tools/print_layout.h"

#include <gtest/gtest.h>

namespace {

int ten_per_letter(std::string_view text) {
    return int(text.size()) * 10;
}

} // namespace

TEST(PrintLayout, DateTextAndHeaderPlacement) {
    EXPECT_EQ(print_date_text(2026, 12, 7), "7 DEC 2026");
    EXPECT_EQ(print_date_text(2027, 1, 31), "31 JAN 2027");
    PrintHeader header = build_print_header("7 DEC 2026", "prog.bas", 2000, 50, 50, ten_per_letter);
    EXPECT_EQ(header.text, "7 DEC 2026     prog.bas     Page: ");
    // Left of the centre by half the margins: (2000 - width of text and a space - 100) / 2.
    EXPECT_EQ(header.x, (2000 - int(header.text.size() + 1) * 10 - 100) / 2);
}

TEST(PrintLayout, ALongFileNameIsCutToLeaveRoomForTheNumber) {
    std::string name(200, 'n');
    PrintHeader header = build_print_header("7 DEC 2026", name, 1000, 50, 50, ten_per_letter);
    int width = ten_per_letter(header.text + "00000");
    EXPECT_LE(width, 900);
    EXPECT_GT(width, 880);
    EXPECT_EQ(header.text.substr(0, 15), "7 DEC 2026     ");
    // A page narrower than the date alone leaves no name but no crash either.
    header = build_print_header("7 DEC 2026", name, 100, 50, 50, ten_per_letter);
    EXPECT_EQ(header.text, "7 DEC 2026          Page: ");
}

TEST(PreferencesModel, PreviewClickRegions) {
    EXPECT_EQ(preview_click_target(10, 300)->item, ColourItem::Margin);
    EXPECT_EQ(preview_click_target(69, 0)->item, ColourItem::Margin);
    EXPECT_EQ(preview_click_target(100, 10)->item, ColourItem::DefaultFore);
    EXPECT_EQ(preview_click_target(221, 10)->item, ColourItem::DefaultBack);
    EXPECT_TRUE(preview_click_target(221, 45)->focus_save_first);
    EXPECT_EQ(preview_click_target(220, 45)->item, ColourItem::Comment);
    EXPECT_EQ(preview_click_target(300, 90)->item, ColourItem::Keyword);
    EXPECT_EQ(preview_click_target(100, 215)->caption, "\"Strings\" colour.");
    EXPECT_EQ(preview_click_target(100, 250)->item, ColourItem::CaretBack);
    EXPECT_EQ(preview_click_target(100, 319)->item, ColourItem::SelectedBack);
    EXPECT_FALSE(preview_click_target(100, 320));
    EXPECT_FALSE(preview_click_target(-1, 10));
    ColourScheme defaults = default_colour_scheme();
    EXPECT_EQ(defaults[int(ColourItem::CaretBack)], 0xA4FFFFu);
    EXPECT_EQ(defaults[int(ColourItem::Keyword)], 0xFF0000u);
}
