// A document's line ends: detecting them and converting text to them.
#include "documents/line_ends.h"

LineEnd detect_line_end(std::string_view text, LineEnd fallback) {
    std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) return fallback;
    if (text[at] == '\n') return LineEnd::lf;
    return at + 1 < text.size() && text[at + 1] == '\n' ? LineEnd::crlf : LineEnd::cr;
}

LineEnd line_end_of_mode(int mode) {
    return mode == 0 ? LineEnd::crlf : LineEnd::lf;
}

std::string_view line_end_text(LineEnd kind) {
    switch (kind) {
    case LineEnd::crlf:
        return "\r\n";
    case LineEnd::cr:
        return "\r";
    case LineEnd::lf:
        break;
    }
    return "\n";
}

int scintilla_eol_mode(LineEnd kind) {
    switch (kind) {
    case LineEnd::crlf:
        return 0;
    case LineEnd::cr:
        return 1;
    case LineEnd::lf:
        break;
    }
    return 2;
}

std::string with_line_ends(std::string_view text, LineEnd kind) {
    const std::string_view end = line_end_text(kind);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.append(end);
        } else {
            out.push_back(c);
        }
    }
    return out;
}
