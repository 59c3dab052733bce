// Hostile text through the real control: huge lines, odd line ends, zero bytes, high and
// malformed bytes, empty and unterminated documents. Everything is coloured to the last byte.
#include "editor_test_fixture.h"

#include "base/text_conversion.h"

#include <QTest>

namespace {

// A literal's bytes, zero bytes included.
template <std::size_t N> std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

class ColourRobustnessTest : public EditorTest {
  protected:
    // Colours the text in full and checks that every byte was styled.
    void colour(const std::string& utf8) {
        set_text(utf8);
        colour_all();
        ASSERT_EQ(sci_end_styled(control()), sci_length(control()));
    }
    // The styles of a range, one per byte, read in one message.
    std::string styles_of(SciPos start, SciPos end) {
        std::string pairs(static_cast<std::size_t>(end - start) * 2 + 2, '\0');
        control()->SendScintilla(Sci::SCI_GETSTYLEDTEXT, start, end, pairs.data());
        std::string styles;
        for (std::size_t i = 1; i < pairs.size() - 2; i += 2) styles += pairs[i];
        return styles;
    }
    static std::string repeat(const std::string& piece, std::size_t bytes) {
        std::string out;
        out.reserve(bytes + piece.size());
        while (out.size() < bytes) out += piece;
        return out;
    }
};

TEST_F(ColourRobustnessTest, MegabyteLineColoursAndRecoloursWhenTyped) {
    const std::string line = "PRINT " + repeat("a=1+\"s\" ", 1 << 20) + "' end";
    colour(line + "\r\nPRINT\r\n");
    EXPECT_EQ(sci_style_at(control(), 0), style::keyword);
    EXPECT_EQ(styles_of(6, 14), bytes("\x20\x20\x04\x20\x03\x03\x03\x20"));
    const SciPos comment = static_cast<SciPos>(line.size()) - 5;
    EXPECT_EQ(styles_of(comment, comment + 7), bytes("\x02\x02\x02\x02\x02\x20\x20"));
    EXPECT_EQ(sci_style_at(control(), comment + 7), style::keyword);

    // Typing a quote near the end of the line turns the rest into a string once redrawn.
    show();
    sci_send(control(), Sci::SCI_GOTOPOS, static_cast<unsigned long>(comment - 1));
    QTest::keyClick(editor.get(), '"');
    paint();
    EXPECT_EQ(sci_style_at(control(), comment + 1), style::string);
    EXPECT_EQ(sci_end_styled(control()), sci_length(control()));
}

TEST_F(ColourRobustnessTest, FiveMegabyteSingleLine) {
    const std::string line = repeat("a = 12 + b ", 5 << 20);
    colour(line);
    EXPECT_EQ(sci_line_count(control()), 1);
    EXPECT_EQ(level(0), fold_level_base);
    const SciPos end = sci_length(control());
    EXPECT_EQ(styles_of(end - 11, end), bytes("\x20\x20\x20\x20\x04\x04\x20\x20\x20\x20\x20"));
}

TEST_F(ColourRobustnessTest, QuotesAndUnterminatedStrings) {
    colour(std::string(100001, '"') + "\nPRINT \"open");
    EXPECT_EQ(styles_of(0, 100001), std::string(100001, static_cast<char>(style::string)));
    EXPECT_EQ(sci_style_at(control(), 100001), style::default_text); // the line end
    EXPECT_EQ(sci_style_at(control(), 100002), style::keyword);
    // The string left open at the end of the text runs to its last byte.
    const SciPos end = sci_length(control());
    EXPECT_EQ(styles_of(end - 5, end), std::string(5, static_cast<char>(style::string)));
}

TEST_F(ColourRobustnessTest, CarriageReturnOnlyLineEnds) {
    colour("SUB a\rPRINT \"x\r' c\rEND SUB\rx");
    EXPECT_EQ(marked(),
              "{1}SUB{32} a\r{1}PRINT{32} {3}\"x{32}\r{2}' c{32}\r{1}END{32} {1}SUB{32}\rx");
    EXPECT_EQ(sci_line_count(control()), 5);
    EXPECT_EQ(level(0), fold_level_base | fold_header_flag);
    EXPECT_EQ(level(3), fold_level_base + 1);
    EXPECT_EQ(level(4), fold_level_base);
}

TEST_F(ColourRobustnessTest, ZeroBytesAreOrdinaryCharacters) {
    colour(bytes("PRI\0NT \"a\0b\" 5\0 ' \0\n\0PRINT 7\n"));
    EXPECT_EQ(marked(), bytes("{32}PRI\0NT {3}\"a\0b\"{32} 5\0 {2}' \0{32}\n\0PRINT {4}7{32}\n"));
}

TEST_F(ColourRobustnessTest, HighAndMalformedBytes) {
    std::string all_bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all_bytes += static_cast<char>(b);
    register_words(record.words, "caf\xE9", style::name, word_plain);
    colour(bytes_to_utf8(all_bytes + "\ncaf\xE9 CAF\xC9 \xE9PRINT PRINT \xE9\n"));
    const SciPos line1 = sci_position_from_line(control(), 1);
    EXPECT_EQ(marked().substr(marked().find("\n") + 1),
              "{7}caf\xC3\xA9{32} {7}CAF\xC3\x89{32} \xC3\xA9PRINT {1}PRINT{32} \xC3\xA9\n");
    EXPECT_EQ(sci_line_count(control()), 3);
    EXPECT_GT(line1, 256);

    // Bytes that are no UTF-8 at all: stray continuations, cut-short and impossible sequences.
    colour("\xFF\xFE PRINT \xC3 \xE2\x82 \"\x80\" \xC0\x80\xF8 ' \xE2\n7");
    EXPECT_EQ(marked(), "{32}\xFF\xFE {1}PRINT{32} \xC3 \xE2\x82 {3}\"\x80\"{32} \xC0\x80\xF8 "
                        "{2}' \xE2{32}\n{4}7");
}

TEST_F(ColourRobustnessTest, EmptyAndUnterminatedDocuments) {
    colour("");
    EXPECT_EQ(level(0), fold_level_base);
    show();
    paint();
    colour("SUB a\nEND SUB");
    EXPECT_EQ(level(0), fold_level_base | fold_header_flag);
    EXPECT_EQ(level(1), fold_level_base + 1);
    EXPECT_EQ(marked(), "{1}SUB{32} a\n{1}END{32} {1}SUB");
    colour("'");
    EXPECT_EQ(marked(), "{2}'");
}

} // namespace
