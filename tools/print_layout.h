// The printed page's header: the date text, the file name cut to fit, and where it goes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// "7 DEC 2026": day without a leading zero, the month in three capitals, the year.
std::string print_date_text(int year, int month, int day);

struct PrintHeader {
    std::string text; // date part, name part and "     Page: "; the page number follows it
    int x = 0;        // left edge of the header on the page
};

// Builds the header for a page `page_width` wide with the given margins; `measure` gives the
// width of a text in the header font. A file name too long for the printable width is cut
// from its end, leaving room for a five-digit page number.
PrintHeader build_print_header(std::string_view date_text, std::string_view file_name,
                               int page_width, int left_margin, int right_margin,
                               const std::function<int(std::string_view)>& measure);
