// The token rules of the colouring.
#include "editor/tokens.h"

#include "base/ascii.h"

#include <array>

namespace {

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

namespace {

// The value of a digit in bases up to 16, or 16 for a byte that is no digit.
unsigned digit_value(unsigned char c) {
    if (is_digit(c)) return c - '0';
    c = static_cast<unsigned char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10u : 16u;
}

// A number stands only when the byte after it ends a word.
NumberScan standing(const EditorRecord& record, std::string_view bytes, std::size_t length,
                    std::size_t digits) {
    if (length < bytes.size()) {
        const auto next = static_cast<unsigned char>(bytes[length]);
        if (!is_blank(next) && !is_separator(record, next)) return {};
    }
    return {length, digits};
}

// &H, &O and &B followed by digits of their base, in any letter case.
NumberScan scan_based_number(const EditorRecord& record, std::string_view bytes) {
    if (bytes.size() < 3) return {};
    const char marker = static_cast<char>(bytes[1] | 0x20);
    const unsigned base = marker == 'h' ? 16 : marker == 'o' ? 8 : marker == 'b' ? 2 : 0;
    if (base == 0) return {};
    std::size_t i = 2;
    while (i < bytes.size() && digit_value(static_cast<unsigned char>(bytes[i])) < base) ++i;
    return i == 2 ? NumberScan{} : standing(record, bytes, i, i - 2);
}

// Digits with an optional fraction and an optional exponent (1.5E-3, 2e10, .5, 5.).
NumberScan scan_decimal_number(const EditorRecord& record, std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0, digits = 0;
    bool point = false;
    for (; i < bytes.size(); ++i) {
        if (b[i] == '.') {
            if (point) return {};
            point = true;
        } else if (is_digit(b[i])) {
            ++digits;
        } else {
            break;
        }
    }
    if (digits > 0 && i < bytes.size() && (b[i] | 0x20) == 'e') {
        std::size_t j = i + 1;
        if (j < bytes.size() && (b[j] == '+' || b[j] == '-')) ++j;
        if (j < bytes.size() && is_digit(b[j])) {
            while (j < bytes.size() && is_digit(b[j])) ++j;
            i = j;
        }
    }
    return standing(record, bytes, i, digits);
}

} // namespace

NumberScan scan_number(const EditorRecord& record, std::string_view bytes) {
    if (record.syntax == Syntax::maximite) {
        if (!bytes.empty() && bytes[0] == '&') return scan_based_number(record, bytes);
        return scan_decimal_number(record, bytes);
    }
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

namespace {

// The longest dotted word at the start of `bytes` that the word table holds whole ("MM.INFO",
// a learnt "my.sub"), given that the plain word ends at a "." after `word_length` bytes; null
// when no dotted part of it is a key.
const WordEntry* find_dotted_word(const EditorRecord& record, std::string_view bytes,
                                  std::size_t& word_length) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t end = word_length;
    while (end < bytes.size() && !is_blank(b[end]) &&
           (b[end] == '.' || !is_separator(record, b[end])))
        ++end;
    for (std::size_t length = end; length > word_length; --length) {
        if (length != end && b[length] != '.') continue;
        if (b[length - 1] == '.') continue;
        if (const WordEntry* entry = find_utf8_word(record.words, bytes.substr(0, length))) {
            word_length = length;
            return entry;
        }
    }
    return nullptr;
}

} // namespace

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
        const WordEntry* entry = nullptr;
        if (record.syntax == Syntax::maximite && token.length < left && b[token.length] == '.')
            entry = find_dotted_word(record, bytes, token.length);
        if (!entry) entry = find_utf8_word(record.words, bytes.substr(0, token.length));
        if (entry) token.style = entry->style;
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
