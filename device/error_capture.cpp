// Incremental matcher for error reports in console output.
#include "device/error_capture.h"

#include "base/ascii.h"

#include <cctype>

namespace {

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

std::size_t find_nocase(std::string_view text, std::string_view what, std::size_t from = 0) {
    for (std::size_t i = from; i + what.size() <= text.size(); ++i)
        if (starts_with_nocase(text.substr(i), what)) return i;
    return std::string_view::npos;
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
    text = trim_blanks(text);
    if (text.size() >= 2 && text[0] == '>' && text[1] == ' ') text = trim_blanks(text.substr(2));
    return text;
}

// "[123] line" or "[LIBRARY] line".
bool match_bracket_line(std::string_view text, CapturedError& error) {
    text = skip_prompt(text);
    if (text.empty() || text.front() != '[') return false;
    text.remove_prefix(1);
    if (text.starts_with("LIBRARY]")) {
        error.library = true;
        error.line = 0;
        error.message = std::string(trim_blanks(text.substr(8)));
        return true;
    }
    long number = 0;
    if (!take_number(text, number) || text.empty() || text.front() != ']') return false;
    text.remove_prefix(1);
    if (number <= 0) return false;
    error.line = number;
    error.message = std::string(trim_blanks(text));
    return true;
}

// "Error: message" or "Error : message" at the start of a line.
bool match_plain_error(std::string_view text, std::string& message) {
    text = skip_prompt(text);
    if (!starts_with_nocase(text, "error")) return false;
    text = trim_blanks(text.substr(5));
    if (text.empty() || text.front() != ':') return false;
    message = std::string(trim_blanks(text.substr(1)));
    return true;
}

} // namespace

bool match_error_line(std::string_view text, CapturedError& error) {
    for (std::size_t at = find_nocase(text, "error in "); at != std::string_view::npos;
         at = find_nocase(text, "error in ", at + 1)) {
        std::string_view rest = text.substr(at + 9);
        // "line N:" directly, or a file path and then " line N:"; the last " line " before a
        // number and a colon ends the path, which may itself hold blanks.
        std::string file;
        std::string_view after;
        if (starts_with_nocase(rest, "line ")) {
            after = rest.substr(5);
        } else {
            std::size_t cut = std::string_view::npos;
            for (std::size_t i = find_nocase(rest, " line "); i != std::string_view::npos;
                 i = find_nocase(rest, " line ", i + 1)) {
                std::string_view probe = trim_blanks(rest.substr(i + 6));
                long number = 0;
                if (take_number(probe, number) && !probe.empty() &&
                    trim_blanks(probe).front() == ':')
                    cut = i;
            }
            if (cut == std::string_view::npos || cut == 0) continue;
            file = std::string(rest.substr(0, cut));
            after = rest.substr(cut + 6);
        }
        after = trim_blanks(after);
        long number = 0;
        if (!take_number(after, number) || number <= 0) continue;
        after = trim_blanks(after);
        if (after.empty() || after.front() != ':') continue;
        error = CapturedError{};
        error.line = number;
        error.file = std::move(file);
        error.message = std::string(trim_blanks(after.substr(1)));
        return true;
    }
    return false;
}

void ErrorCapture::reset() {
    text_.reset();
    bracket_pending_ = false;
}

void ErrorCapture::take_line(const std::string& line, std::vector<CapturedError>& found) {
    bool pending = bracket_pending_;
    bracket_pending_ = false;
    CapturedError error;
    std::string message;
    if (pending && match_plain_error(line, message)) {
        // The line stays 0: the receiver keeps the line of the report it completes.
        CapturedError completion;
        completion.message = message;
        completion.completes_previous = true;
        found.push_back(completion);
    } else if (pending && trim_blanks(line).empty()) {
        bracket_pending_ = true; // a blank line between the two halves
    } else if (match_bracket_line(line, error)) {
        found.push_back(error);
        bracket_pending_ = true;
    } else if (match_error_line(line, error)) {
        found.push_back(error);
    } else if (match_plain_error(line, message)) {
        CapturedError plain;
        plain.message = message;
        found.push_back(plain);
    }
}

std::vector<CapturedError> ErrorCapture::feed(std::string_view bytes) {
    std::vector<CapturedError> found;
    for (const std::string& line : text_.feed(bytes)) take_line(line, found);
    return found;
}
