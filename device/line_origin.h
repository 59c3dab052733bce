// Where a line of a merged program came from. Merge puts each included file between the comment
// lines "' ==== start of NAME ====" and "' ==== end of NAME ====" (the start line standing in
// for the #INCLUDE line), so a line the board names in a program sent merged can be traced back
// to its file and line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct LineOrigin {
    // The include names, as written, from the outermost file inwards; empty: the program itself.
    std::vector<std::string> includes;
    long line = 0; // 1-based, in that file
};

// The origin of 1-based `line` of `merged_text` (any line ends).
LineOrigin origin_of_line(std::string_view merged_text, long line);
