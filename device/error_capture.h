// Finds the firmware's error reports in console output as it arrives, in chunks split anywhere:
//   "Error in line 123: message"
//   "[123] the program line" followed, usually, by "Error: message" on the next line.
// Escape sequences and line ends of any kind are allowed; very long lines are cut, not stored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CapturedError {
    long line = 0;       // 1-based program line as the board counts them
    std::string message; // as sent, 8-bit text
    // True when this completes the error reported just before (the message of a "[123]" report
    // arriving on the next line): the receiver replaces that one instead of adding a new one.
    bool completes_previous = false;
};

class ErrorCapture {
  public:
    std::vector<CapturedError> feed(std::string_view bytes);
    void reset();

  private:
    void end_line(std::vector<CapturedError>& found);

    std::string line_;
    bool escape_ = false; // inside an escape sequence
    bool csi_ = false;
    bool line_cut_ = false;
    bool bracket_pending_ = false; // the line before was a "[123]" report
};

// One complete console line (no line end) to an error, if it is one; for the first form only.
bool match_error_line(std::string_view line, CapturedError& error);
