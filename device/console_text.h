// The console's output as plain text lines: escape sequences (CSI, OSC window titles ended by
// BEL or ST, two-byte escapes) are skipped, CR LF / LF end a line, a lone CR returns to the
// start of the line (what follows overwrites it, as on the screen). Fed in chunks split
// anywhere. Used to find prompts, answers and error reports in what the board prints.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ConsoleText {
  public:
    // Feeds bytes; returns the lines completed by them (without their line ends).
    std::vector<std::string> feed(std::string_view bytes);
    // The line being written, not yet ended.
    const std::string& partial() const { return partial_; }
    // Whether the partial line is the board's own prompt "> ".
    bool at_prompt() const { return partial_ == "> "; }
    void reset();

    // Lines longer than this are cut (the rest of such a line is not kept).
    static constexpr std::size_t max_line = 1024;

  private:
    enum class Mode { text, escape, csi, osc, osc_escape };
    void put(char c);

    Mode mode_ = Mode::text;
    std::string partial_;
    std::size_t column_ = 0; // where the next character goes in partial_
};

// `text` without leading and trailing blanks and TABs.
std::string_view console_trim(std::string_view text);

// The message of a board's error line, "Error : message" or "Error: message", after an optional
// prompt; false for any other line.
bool board_error_message(std::string_view line, std::string& message);
