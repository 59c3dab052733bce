// What the board's identity tells: its program memory (for the checks before a program is
// sent), its chip from the firmware line OPTION LIST starts with, and the words of a program
// that the keyword help marks as belonging to other boards.
#pragma once

#include "help/keyword_help.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// "RP2040" or "RP2350" when `line` (the firmware's line, "PicoMite MMBasic RP2040 V6.03.00")
// names the chip; empty otherwise.
std::string chip_of_firmware_line(std::string_view line);

// MM.VER ("6.0003", "6.03", "6.0201") as major * 10000 + minor * 100 + patch (60003, 60300,
// 60201); 0 when it is no version.
int version_code(std::string_view mm_ver);

// The program memory in bytes of the board that `device` (MM.DEVICE$) names, with `version` as
// MM.VER gives it and `chip` ("RP2040", "RP2350", or empty when not known). When the chip is
// not known the largest memory such a board may have is taken, so a program that fits is never
// refused. 0 when the board is not known.
std::size_t program_memory_of(std::string_view device, std::string_view version,
                              std::string_view chip);

// A statement of the program whose command the keyword help marks as being for some boards
// only, none of them the connected one.
struct OtherBoardWord {
    long line = 0;      // 1-based
    std::string word;   // as the help writes it
    std::string boards; // the help's mark: "PicoMite VGA and HDMI"
};

// The statements of `program` (their first word, and the word after OPTION) that the help marks
// with boards ("... (PicoMite VGA and HDMI).") among which `device` is not. Nothing for a board
// the marks cannot speak about. At most `limit` are returned.
std::vector<OtherBoardWord> words_for_other_boards(std::string_view program,
                                                   const KeywordHelp& help, std::string_view device,
                                                   std::size_t limit = 20);
