// What the board's identity implies: its program memory, and the words of a program that the
// keyword help marks as other boards'.
#include "boardfiles/board_identity.h"

#include <gtest/gtest.h>

TEST(BoardIdentity, ProgramMemoryFollowsTheBoardItsChipAndFirmware) {
    constexpr std::size_t kb = 1024;
    struct Case {
        const char* device;
        const char* version;
        const char* chip;
        std::size_t memory;
    } cases[] = {
        {"PicoMite", "6.0003", "RP2040", 128 * kb},  {"PicoMite", "6.01", "RP2040", 124 * kb},
        {"PicoMite", "6.02", "RP2040", 128 * kb},    {"PicoMite", "6.0201", "RP2040", 120 * kb},
        {"PicoMite", "6.03", "RP2040", 120 * kb},    {"PicoMite", "6.03", "RP2350", 288 * kb},
        {"PicoMite", "6.03", "", 288 * kb}, // chip not known: never refuse what may fit
        {"PicoMiteVGA", "6.03", "RP2350", 184 * kb}, {"PicoMiteHDMI", "6.03", "", 184 * kb},
        {"WebMite", "6.03", "RP2040", 88 * kb},      {"WebMite", "6.03", "RP2350", 208 * kb},
        {"Colour Maximite 2", "5.07", "", 0},        {"", "", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(program_memory_of(c.device, c.version, c.chip), c.memory)
            << c.device << " " << c.version << " " << c.chip;
    EXPECT_EQ(chip_of_firmware_line("PicoMite MMBasic RP2350A V6.03.00"), "RP2350");
    EXPECT_EQ(version_code("6.0003"), 60003);
    EXPECT_EQ(version_code("6.03"), 60300);
    EXPECT_EQ(version_code("six"), 0);
}

TEST(BoardIdentity, WordsTheHelpMarksForOtherBoardsAreFoundInStatements) {
    const KeywordHelp help = parse_keyword_help(
        "TILE\n  TILE x, y\n= Sets the colours of character tiles (PicoMite VGA and HDMI).\n"
        "PAGE\n  PAGE WRITE n\n= Selects the page graphics draw on (Colour Maximite 2).\n"
        "WEB\n  WEB CONNECT\n= Network commands of the WebMite (PicoMite W).\n"
        "LEGACY\n  OPTION LEGACY ON\n= Old graphics commands (Colour Maximite 2).\n"
        "RADIANS\n= Angles in radians (the default).\n");
    const std::string program = "10 TILE 1, 2\r\n"
                                "PRINT \"TILE : PAGE\" : page = 3\r\n" // a string, a variable
                                "' PAGE WRITE 1\r\n"
                                "x = 1 : PAGE WRITE 1 ' WEB CONNECT\r\n"
                                "OPTION LEGACY ON : REM PAGE\r\n"
                                "OPTION RADIANS\r\n";
    struct Case {
        const char* device;
        std::vector<std::pair<long, std::string>> found;
    } cases[] = {
        {"PicoMite", {{1, "TILE"}, {4, "PAGE"}, {5, "LEGACY"}}},
        {"PicoMiteHDMI", {{4, "PAGE"}, {5, "LEGACY"}}},
        {"Colour Maximite 2", {}}, // a board the marks cannot speak about
    };
    for (const Case& c : cases) {
        std::vector<std::pair<long, std::string>> found;
        for (const OtherBoardWord& use : words_for_other_boards(program, help, c.device))
            found.emplace_back(use.line, use.word);
        EXPECT_EQ(found, c.found) << c.device;
    }
    EXPECT_TRUE(words_for_other_boards("WEB CONNECT\n", help, "WebMite").empty());
    EXPECT_EQ(words_for_other_boards("TILE\nTILE\nTILE\n", help, "PicoMite", 2).size(), 2u);
}
