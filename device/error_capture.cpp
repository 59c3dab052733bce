// Incremental matcher for error reports in console output.
#include "device/error_capture.h"

#include <cctype>

namespace {

constexpr std::size_t max_line = 1024;

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Reads digits at the front of `text` into `number`; false when there are none or too many.
bool take_number(std::string_view& text, long& number) {
    std::size_t digits = 0;
    number = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        if (digits >= 9) return false;
        number = number * 10 + (text[digits] - '0');
        ++digits;
    }
    text.remove_prefix(digits);
    return digits > 0;
}

// The console prompt echoed before a line, when the error follows a typed command.
std::string_view skip_prompt(std::string_view text) {
    text = trim(text);
    if (text.size() >= 2 && text[0] == '>' && text[1] == ' ') text = trim(text.substr(2));
    return text;
}

bool match_bracket_line(std::string_view text, CapturedError& error) {
    text = skip_prompt(text);
    if (text.empty() || text.front() != '[') return false;
    text.remove_prefix(1);
    long number = 0;
    if (!take_number(text, number) || text.empty() || text.front() != ']') return false;
    text.remove_prefix(1);
    if (number <= 0) return false;
    error.line = number;
    error.message = std::string(trim(text));
    return true;
}

// "Error: message" or "Error : message", the second line of a bracket report.
bool match_plain_error(std::string_view text, std::string& message) {
    text = skip_prompt(text);
    if (!starts_with_nocase(text, "error")) return false;
    text = trim(text.substr(5));
    if (text.empty() || text.front() != ':') return false;
    message = std::string(trim(text.substr(1)));
    return true;
}

} // namespace

bool match_error_line(std::string_view text, CapturedError& error) {
    text = skip_prompt(text);
    if (!starts_with_nocase(text, "error in line")) return false;
    text = trim(text.substr(13));
    long number = 0;
    if (!take_number(text, number) || number <= 0) return false;
    text = trim(text);
    if (!text.empty() && text.front() == ':') text.remove_prefix(1);
    error.line = number;
    error.message = std::string(trim(text));
    error.completes_previous = false;
    return true;
}

void ErrorCapture::reset() {
    line_.clear();
    escape_ = csi_ = line_cut_ = bracket_pending_ = false;
}

void ErrorCapture::end_line(std::vector<CapturedError>& found) {
    CapturedError error;
    bool pending = bracket_pending_;
    bracket_pending_ = false;
    if (!line_cut_) {
        std::string message;
        if (match_error_line(line_, error)) {
            found.push_back(error);
        } else if (match_bracket_line(line_, error)) {
            found.push_back(error);
            bracket_pending_ = true;
        } else if (pending && match_plain_error(line_, message)) {
            // The line stays 0: the receiver keeps the line of the report it completes.
            CapturedError completion;
            completion.message = message;
            completion.completes_previous = true;
            found.push_back(completion);
        } else if (pending && trim(line_).empty()) {
            bracket_pending_ = true; // a blank line between the two halves
        }
    }
    line_.clear();
    line_cut_ = false;
}

std::vector<CapturedError> ErrorCapture::feed(std::string_view bytes) {
    std::vector<CapturedError> found;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (escape_) {
            // ESC [ ... final, or ESC and one character.
            if (!csi_ && byte == '[') {
                csi_ = true;
                continue;
            }
            if (!csi_ || (byte >= 0x40 && byte <= 0x7E)) escape_ = csi_ = false;
            continue;
        }
        if (byte == 0x1B) {
            escape_ = true;
            continue;
        }
        if (byte == '\r' || byte == '\n') {
            // CR LF makes an empty line after the real one; empty lines match nothing but
            // must not end a pending bracket report, which end_line allows for.
            if (!line_.empty() || line_cut_ || byte == '\r') end_line(found);
            continue;
        }
        if (byte < 0x20 && byte != '\t') continue;
        if (line_.size() < max_line)
            line_.push_back(static_cast<char>(byte));
        else
            line_cut_ = true;
    }
    return found;
}
