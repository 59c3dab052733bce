// The message a second instance sends to the running one: its LF-separated file list.
#include "app/hand_over.h"

std::string encode_hand_over(std::string_view list) {
    if (list.size() <= hand_over_cap) return std::string(list);
    // Keep everything before the last LF that still fits, i.e. only whole paths.
    const std::size_t lf = list.substr(0, hand_over_cap + 1).rfind('\n');
    return std::string(lf == std::string_view::npos ? std::string_view() : list.substr(0, lf));
}

std::string decode_hand_over(std::string_view bytes) {
    bytes = bytes.substr(0, hand_over_cap);
    return std::string(bytes.substr(0, bytes.find('\0')));
}
