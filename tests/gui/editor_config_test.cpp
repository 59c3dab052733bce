// The editing control's set-up: colour scheme order, colouring off, margins, view toggles.
#include "editor_test_fixture.h"

#include "editor/view_options.h"

namespace {

long fore(QsciScintillaBase* c, int style) {
    return sci_send(c, Sci::SCI_STYLEGETFORE, static_cast<unsigned long>(style));
}
long back(QsciScintillaBase* c, int style) {
    return sci_send(c, Sci::SCI_STYLEGETBACK, static_cast<unsigned long>(style));
}
bool bold(QsciScintillaBase* c, int style) {
    return sci_send(c, Sci::SCI_STYLEGETBOLD, static_cast<unsigned long>(style)) != 0;
}
bool italic(QsciScintillaBase* c, int style) {
    return sci_send(c, Sci::SCI_STYLEGETITALIC, static_cast<unsigned long>(style)) != 0;
}

TEST_F(EditorTest, ColourSchemeKeepsEveryStyleAfterTheDefaultReset) {
    settings.colour(ColourItem::DefaultFore) = 0x112233;
    settings.colour(ColourItem::DefaultBack) = 0x445566;
    settings.colour(ColourItem::Keyword) = 0x010203;
    settings.colour(ColourItem::Comment) = 0x040506;
    settings.colour(ColourItem::Margin) = 0x0A0B0C;
    settings.colour(ColourItem::LineNumber) = 0x0D0E0F;
    settings.colour(ColourItem::CallTipBack) = 0x202122;
    apply_colour_scheme(record, control(), settings);
    auto* c = control();
    EXPECT_EQ(fore(c, style::default_text), 0x112233);
    EXPECT_EQ(back(c, style::default_text), 0x445566);
    // Plain styles follow the default; the others keep their own colours.
    EXPECT_EQ(back(c, style::keyword), 0x445566);
    EXPECT_EQ(fore(c, style::keyword), 0x010203);
    EXPECT_EQ(fore(c, style::comment), 0x040506);
    EXPECT_EQ(fore(c, style::string), 0x32B450);
    EXPECT_EQ(fore(c, style::number), 0x0000FF);
    EXPECT_EQ(fore(c, style::spare), 0x2193DE);
    EXPECT_EQ(fore(c, style::spare_keyword), 0x010203);
    EXPECT_EQ(fore(c, style::name), 0xFF00CC);
    EXPECT_EQ(back(c, style::line_number), 0x0A0B0C);
    EXPECT_EQ(fore(c, style::line_number), 0x0D0E0F);
    EXPECT_EQ(back(c, style::call_tip), 0x202122);
    EXPECT_TRUE(bold(c, style::keyword));
    EXPECT_TRUE(italic(c, style::comment));
    EXPECT_EQ(sci_send(c, Sci::SCI_GETCARETLINEBACK), 0xB4FFFF);
    EXPECT_EQ(sci_send(c, Sci::SCI_GETCARETLINEVISIBLE), 1);
    EXPECT_EQ(sci_margin_width(c, margin_bookmarks), 20);
    EXPECT_EQ(sci_margin_width(c, margin_fold), 24);
}

TEST_F(EditorTest, ColouringOffKeepsBoldAndItalicInBlack) {
    for (int off_value : {0, 2}) {
        settings.options.colour = off_value;
        settings.colour(ColourItem::DefaultFore) = 0x123456;
        apply_colour_scheme(record, control(), settings);
        auto* c = control();
        for (int s = style::keyword; s <= style::name; ++s)
            EXPECT_EQ(fore(c, s), 0) << "style " << s << " with Colour " << off_value;
        EXPECT_TRUE(bold(c, style::keyword));
        EXPECT_TRUE(italic(c, style::comment));
        EXPECT_EQ(fore(c, style::default_text), 0x123456);
    }
    // The View toggle brings the colours back at once.
    settings.options.colour = 1;
    apply_view_toggle(record, control(), settings, ViewToggle::SyntaxColouring);
    EXPECT_EQ(fore(control(), style::keyword), 0xFF0000);
}

TEST_F(EditorTest, LineNumberMarginWidensAtTheTenthLine) {
    show();
    set_text("1\n2\n3\n4\n5\n6\n7\n8\n9");
    paint();
    const int nine = sci_margin_width(control(), margin_line_numbers);
    const int digit = sci_text_width(control(), style::line_number, "9");
    EXPECT_EQ(nine, digit + 20);
    sci_send(control(), Sci::SCI_DOCUMENTEND);
    sci_add_text(control(), "\n10");
    paint(); // the margin follows the line count before the text is shown
    const int ten = sci_margin_width(control(), margin_line_numbers);
    EXPECT_EQ(ten, sci_text_width(control(), style::line_number, "99") + 20);
    EXPECT_GT(ten, nine);
    // Margin 0 is fitted, not set by hand.
    set_margin_width(record, control(), margin_line_numbers, 3);
    EXPECT_EQ(sci_margin_width(control(), margin_line_numbers), ten);
}

TEST_F(EditorTest, ViewTogglesActAtOnce) {
    auto* c = control();
    settings.options.upper_case = 0;
    apply_view_toggle(record, c, settings, ViewToggle::CapitalKeywords);
    EXPECT_EQ(sci_send(c, Sci::SCI_STYLEGETCASE, style::keyword), Sci::SC_CASE_MIXED);
    settings.options.upper_case = 1;
    apply_view_toggle(record, c, settings, ViewToggle::CapitalKeywords);
    EXPECT_EQ(sci_send(c, Sci::SCI_STYLEGETCASE, style::keyword), Sci::SC_CASE_UPPER);

    settings.options.whitespace_markers = 1;
    apply_view_toggle(record, c, settings, ViewToggle::WhiteSpaceMarkers);
    EXPECT_EQ(sci_send(c, Sci::SCI_GETVIEWWS), Sci::SCWS_VISIBLEAFTERINDENT);
    settings.options.show_line_endings = 1;
    apply_view_toggle(record, c, settings, ViewToggle::LineEndings);
    EXPECT_EQ(sci_send(c, Sci::SCI_GETVIEWEOL), 1);
    settings.options.show_indent = 0;
    apply_view_toggle(record, c, settings, ViewToggle::IndentGuides);
    EXPECT_EQ(sci_send(c, Sci::SCI_GETINDENTATIONGUIDES), 0);
    settings.options.line_numbers = 0;
    apply_view_toggle(record, c, settings, ViewToggle::LineNumbers);
    EXPECT_EQ(sci_send(c, Sci::SCI_GETMARGINTYPEN, margin_line_numbers), Sci::SC_MARGIN_SYMBOL);

    Options options;
    EXPECT_EQ(view_option(options, 60), &options.colour);
    EXPECT_EQ(view_option(options, 65), &options.auto_indent);
    EXPECT_EQ(view_option(options, 67), nullptr);
}

TEST_F(EditorTest, KeywordsShowInCapitalsWithoutChangingTheText) {
    show();
    set_text("print x\n");
    paint();
    EXPECT_EQ(sci_style_at(control(), 0), style::keyword);
    EXPECT_EQ(sci_send(control(), Sci::SCI_STYLEGETCASE, style::keyword), Sci::SC_CASE_UPPER);
    EXPECT_EQ(sci_text(control()), "print x\n");
}

TEST(EditorConfig, OperationsWithoutAControlDoNothing) {
    EditorRecord record;
    Settings settings;
    configure_editor(record, nullptr, "PRINT");
    apply_colour_scheme(record, nullptr, settings);
    set_colour(nullptr, ColourKind::DefaultBack, 0);
    set_editor_attribute(record, nullptr, EditorAttribute::MarginSpacing, 10);
    set_lexer_option(record, nullptr, LexerOption::Separators, "=");
    restyle_lines(record, nullptr, 0, -1, -1);
    EXPECT_EQ(add_words(record, nullptr, "PRINT", style::keyword, 0, true), 0);
    EXPECT_EQ(record.margin_spacing, 0);
    EXPECT_TRUE(record.separators.empty());
    EXPECT_TRUE(record.words.entries.empty());
}

} // namespace
