// The keyword text from the bytes of the keyword file.
#include "app/keyword_file.h"

std::string keyword_text_from_bytes(std::string_view file_bytes) {
    if (file_bytes.starts_with("\xEF\xBB\xBF")) file_bytes.remove_prefix(3);
    // Joining the lines is the same as dropping every line-end byte.
    std::string text;
    text.reserve(file_bytes.size());
    for (const char c : file_bytes)
        if (c != '\r' && c != '\n' && c != '\0') text += c;
    return text;
}
