// Finds the error reports of the boards and of MMBasic for Linux in console output as it
// arrives, in chunks split anywhere:
//   "[123] the program line" then "Error : message" (or "Error: message") on the next line;
//   "[LIBRARY] the line" then the same, for code in the board's library;
//   "Error in line 123: message" and "Error in /path/file.inc line 3: message", wherever they
//   start in a line (a program's output may come first);
//   "Error : message" or "Error: message" alone (a command at the prompt): no line to go to.
// Escape sequences (colours, window titles) and line ends of any kind are allowed; very long
// lines are cut.
#pragma once

#include "device/console_text.h"

#include <string>
#include <string_view>
#include <vector>

struct CapturedError {
    long line = 0;        // 1-based program line as the board counts them; 0: none given
    std::string message;  // as sent, 8-bit text
    std::string file;     // the file named by the report ("Error in <file> line N"), else empty
    bool library = false; // the line is in the board's library, not in the program
    // True when this completes the error reported just before (the message of a "[123]" report
    // arriving on the next line): the receiver replaces that one instead of adding a new one.
    bool completes_previous = false;
};

class ErrorCapture {
  public:
    std::vector<CapturedError> feed(std::string_view bytes);
    void reset();

  private:
    void take_line(const std::string& line, std::vector<CapturedError>& found);

    ConsoleText text_;
    bool bracket_pending_ = false; // the line before was a "[123]" report
};

// One complete console line (no line end) to an error, if it holds an "Error in …" report.
bool match_error_line(std::string_view line, CapturedError& error);
