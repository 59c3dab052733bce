// Blocks of machine code and font data inside a program: CSUB, CFUNCTION and DEFINEFONT up to
// their END line. Their lines are data (hex words), which no transformation may reinterpret.
#pragma once

#include <string_view>

// What one line is, seen from the data blocks around it.
enum class BlockLine {
    code,   // an ordinary program line
    opens,  // CSUB, CFUNCTION or DEFINEFONT: the header of a data block
    data,   // inside a data block
    closes, // END CSUB, END CFUNCTION or END DEFINEFONT
};

// Follows the data blocks of a program one line at a time, in text order.
struct DataBlockTracker {
    bool inside = false;
    // Classifies `line` (its line end may be included) and moves past it.
    BlockLine next(std::string_view line);
};
