// The token rules of the colouring.
#include "editor/tokens.h"

#include <array>

namespace {

bool is_blank(unsigned char byte) {
    return byte == ' ' || byte == '\t';
}

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    return 0;
}

// The length of a delimiter's span starting at bytes[0], which has the entry `entry`.
std::size_t delimiter_span(const WordEntry& entry, const unsigned char* bytes, std::size_t left) {
    std::size_t length = 1;
    if (entry.options & word_paired) {
        const unsigned char opener = bytes[0];
        const auto closer = static_cast<unsigned char>(entry.closing);
        int depth = 1;
        while (length < left && depth >= 1) {
            unsigned char c = bytes[length++];
            if (c == closer) {
                if (--depth == 0) break;
            } else if (c != opener && (c == '\n' || c == '\r')) {
                --length; // the line end is not part of the span
                break;
            } else if (c == opener) {
                ++depth;
            }
        }
    }
    if (entry.options & word_to_line_end) {
        length = left;
        while (length > 1 && (bytes[length - 1] == '\n' || bytes[length - 1] == '\r')) --length;
    }
    return length;
}

} // namespace

std::size_t decode_utf8_bytes(std::string_view utf8, char* out, bool* substituted) {
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t i = 0, written = 0;
    bool replaced = false;
    while (i < size) {
        unsigned char lead = text[i];
        if (lead < 0x80) {
            out[written++] = static_cast<char>(lead);
            ++i;
            continue;
        }
        std::size_t length = sequence_length(lead);
        if (length == 0) {
            out[written++] = '?';
            replaced = true;
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < size && is_continuation(text[i + taken])) ++taken;
        if (taken == 2 && length == 2 && (lead == 0xC2 || lead == 0xC3)) {
            out[written++] = static_cast<char>(((lead & 0x1F) << 6) | (text[i + 1] & 0x3F));
        } else {
            out[written++] = '?';
            replaced = true;
        }
        i += taken;
    }
    if (substituted) *substituted = replaced;
    return written;
}

std::string decode_utf8_bytes(std::string_view utf8, bool* substituted) {
    std::string out(utf8.size(), '\0');
    out.resize(decode_utf8_bytes(utf8, out.data(), substituted));
    return out;
}

const WordEntry* find_utf8_word(const WordTable& table, std::string_view utf8_word) {
    // Every character takes at most four bytes, so a word this long decodes to more characters
    // than any key has.
    if (utf8_word.empty() || utf8_word.size() > 4 * table.longest_key) return nullptr;
    std::array<char, 256> small;
    std::string large;
    char* key = small.data();
    if (utf8_word.size() > small.size()) {
        large.resize(utf8_word.size());
        key = large.data();
    }
    bool substituted = false;
    std::size_t length = decode_utf8_bytes(utf8_word, key, &substituted);
    if (substituted || length > table.longest_key) return nullptr;
    if (!table.match_case)
        for (std::size_t i = 0; i < length; ++i) key[i] = lower_byte(key[i]);
    return find_key(table, std::string_view(key, length));
}

NumberScan scan_number(const EditorRecord& record, std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0, digits = 0;
    bool point = false;
    while (i < bytes.size()) {
        unsigned char c = b[i];
        if (c == '.') {
            if (point) return {};
            point = true;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            if (is_blank(c) || is_separator(record, c)) return {i, digits};
            return {};
        }
        ++i;
    }
    return {i, digits};
}

Token style_token(const EditorRecord& record, std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t left = bytes.size();
    if (left == 0) return {0, style::default_text};
    Token token{1, style::default_text};
    const unsigned char first = b[0];

    if (is_blank(first)) {
        while (token.length < left && is_blank(b[token.length])) ++token.length;
    } else if (is_separator(record, first)) {
        const WordEntry* entry = nullptr;
        if (record.words.single_byte[first] & 1) {
            char key = record.words.match_case ? static_cast<char>(first)
                                               : lower_byte(static_cast<char>(first));
            entry = find_key(record.words, std::string_view(&key, 1));
        }
        if (entry) token.style = entry->style;
        NumberScan number;
        if (first == '.') number = scan_number(record, bytes);
        if (number.length >= 1 && number.digits >= 1) {
            token = {number.length, record.number_style};
        } else if (entry && left > 1) {
            token.length = delimiter_span(*entry, b, left);
        }
    } else if (NumberScan number = scan_number(record, bytes); number.length >= 1) {
        token = {number.length, record.number_style};
    } else {
        while (token.length < left && !is_blank(b[token.length]) &&
               !is_separator(record, b[token.length]))
            ++token.length;
        if (const WordEntry* entry = find_utf8_word(record.words, bytes.substr(0, token.length)))
            token.style = entry->style;
    }
    if (!(record.behaviour_flags & behaviour_colouring)) token.style = style::default_text;
    return token;
}

void style_tokens(const EditorRecord& record, std::string_view bytes, std::string& styles) {
    while (!bytes.empty()) {
        Token token = style_token(record, bytes);
        styles.append(token.length, static_cast<char>(token.style));
        bytes.remove_prefix(token.length);
    }
}
