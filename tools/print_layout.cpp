#include "tools/print_layout.h"

#include <cmath>

std::string print_date_text(int year, int month, int day) {
    static constexpr std::string_view months = "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC";
    if (month < 1 || month > 12) month = 1;
    return std::to_string(day) + " " + std::string(months.substr(std::size_t(4 * month - 4), 3)) +
           " " + std::to_string(year);
}

PrintHeader build_print_header(std::string_view date_text, std::string_view file_name,
                               int page_width, int left_margin, int right_margin,
                               const std::function<int(std::string_view)>& measure) {
    const std::string date_part = std::string(date_text) + "     ";
    const std::string page_label = "     Page: ";
    std::string name(file_name);
    const int printable = page_width - left_margin - right_margin;
    int excess = measure(name + date_part + page_label + "00000") - printable;
    if (excess > 0) {
        int letter = std::max(measure("O"), 1);
        std::size_t cut = std::size_t(excess / letter + 1);
        name.resize(cut >= name.size() ? 0 : name.size() - cut);
    }
    PrintHeader header;
    header.text = date_part + name + page_label;
    header.x = int(std::lround(
        double(page_width - measure(header.text + " ") - left_margin - right_margin) / 2.0));
    return header;
}
