// Removing and adding program line numbers with every jump kept on its statement. Pure
// functions over 8-bit text; each line of the result is followed by `line_end`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The largest line number the tools write: the original Maximite's firmware takes numbers up
// to 65000, the later ones at least as many, so a numbered program runs on all of them.
constexpr std::uint64_t largest_line_number = 65000;

// Something about the program's numbers the user should know; the text is still sound.
struct LineNumberNote {
    enum class Kind {
        missing_target, // a jump to a number no line has: left as it was
        duplicate,      // a second line with a number already seen: jumps go to the first
        out_of_order,   // a number not above the one before it
    };
    Kind kind = Kind::missing_target;
    std::size_t line = 0; // 0-based line of the text given
    std::string number;   // as written
};

struct LineNumberResult {
    std::string text;
    std::vector<LineNumberNote> notes;
};

// Takes the leading number off every line. A number that something jumps to becomes a label
// on its line ("L100:"; on a line of its own just before when the line starts with a label or
// another word ending in ":"), and every jump to it names that label ("THEN 100" becomes
// "THEN GOTO L100"). The number goes with the blanks around it; the statements keep their
// bytes. Lines inside data blocks and continuation lines are not touched.
LineNumberResult remove_line_numbers(std::string_view text, std::string_view line_end = "\n");

// The first number and the step, as the requester gives them: "10,10", blanks allowed.
struct Numbering {
    std::uint64_t first = 10;
    std::uint64_t step = 10;
};
// Reads "first,step"; nothing for anything else, for 0 and for numbers above the limit.
std::optional<Numbering> parse_numbering(std::string_view answer);

struct AddNumbersResult {
    bool ok = false;                // false: the last number would pass the limit
    std::uint64_t last_number = 0;  // the number of the last line numbered (when ok)
    std::size_t lines_numbered = 0; // how many lines the numbering needs
    LineNumberResult result;        // empty when !ok
};

// Numbers every line that is not empty, not a continuation and not part of a data block
// (CSUB, CFUNCTION, DEFINEFONT, header to END), from `numbering.first` by `numbering.step`.
// Existing numbers are replaced and every jump to one follows it; a jump to a number no line
// has stays as it is and is noted. Labels stay. Nothing is made when the last number would be
// above `largest_line_number`.
AddNumbersResult add_line_numbers(std::string_view text, Numbering numbering,
                                  std::string_view line_end = "\n");
