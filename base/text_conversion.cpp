// Byte-for-character conversion between 8-bit text and UTF-8.
#include "base/text_conversion.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Number of bytes a sequence starting with `lead` claims; 0 for a byte that cannot start one.
std::size_t sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0; // stray continuation byte
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    return 0;
}

constexpr std::uint64_t high_bits = 0x8080808080808080ull;

// Copies the run of ASCII bytes at the start of text[i..size), eight at a time; returns the new i.
std::size_t copy_ascii_run(const unsigned char* text, std::size_t i, std::size_t size,
                           char*& write) {
    while (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        if (word & high_bits) break;
        std::memcpy(write, &word, 8);
        write += 8;
        i += 8;
    }
    return i;
}

// Skips the run of ASCII bytes at text[i..size), eight at a time; returns the new i.
std::size_t skip_ascii_run(const unsigned char* text, std::size_t i, std::size_t size) {
    while (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        if (word & high_bits) break;
        i += 8;
    }
    return i;
}

} // namespace

std::string bytes_to_utf8(std::string_view bytes) {
    std::size_t high = 0;
    for (unsigned char byte : bytes) high += byte >> 7;
    std::string out(bytes.size() + high, '\0');
    char* write = out.data();
    const auto* text = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        i = copy_ascii_run(text, i, size, write);
        if (i == size) break;
        unsigned char byte = text[i++];
        if (byte < 0x80) {
            *write++ = static_cast<char>(byte);
        } else {
            *write++ = static_cast<char>(0xC0 | (byte >> 6));
            *write++ = static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::size_t decode_utf8_bytes(std::string_view utf8, char* out, bool* substituted) {
    char* write = out;
    bool replaced = false;
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t i = 0;
    while (i < size) {
        i = copy_ascii_run(text, i, size, write);
        if (i == size) break;
        unsigned char lead = text[i];
        if (lead < 0x80) {
            *write++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        std::size_t length = sequence_length(lead);
        if (length == 0) {
            *write++ = '?';
            replaced = true;
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < size && is_continuation(text[i + taken])) ++taken;
        if (taken == 2 && length == 2 && (lead == 0xC2 || lead == 0xC3)) {
            *write++ = static_cast<char>(((lead & 0x1F) << 6) | (text[i + 1] & 0x3F));
        } else {
            *write++ = '?'; // from U+0100 up, overlong (0xC0, 0xC1), or cut short
            replaced = true;
        }
        i += taken;
    }
    if (substituted) *substituted = replaced;
    return static_cast<std::size_t>(write - out);
}

std::string decode_utf8_bytes(std::string_view utf8, bool* substituted) {
    // The result is never longer than the input: every sequence yields at most one byte.
    std::string out(utf8.size(), '\0');
    out.resize(decode_utf8_bytes(utf8, out.data(), substituted));
    return out;
}

std::string utf8_to_bytes(std::string_view utf8) {
    return decode_utf8_bytes(utf8);
}

UnencodableCharacters find_unencodable(std::string_view utf8) {
    UnencodableCharacters found;
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = text[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The same steps as utf8_to_bytes, so the count matches the "?" it would write.
        std::size_t taken = 1;
        const std::size_t length = sequence_length(lead);
        while (length > 0 && taken < length && i + taken < size && is_continuation(text[i + taken]))
            ++taken;
        if (!(taken == 2 && length == 2 && (lead == 0xC2 || lead == 0xC3))) {
            if (found.count++ == 0) found.first = static_cast<long>(i);
        }
        i += taken;
    }
    return found;
}

bool is_multibyte_utf8(std::string_view bytes) {
    const auto* text = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    bool multibyte = false;
    std::size_t i = 0;
    while (i < size) {
        i = skip_ascii_run(text, i, size);
        if (i == size) break;
        const unsigned char lead = text[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = sequence_length(lead);
        if (length < 2 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || i + length > size)
            return false;
        std::uint32_t code = lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            if (!is_continuation(text[i + k])) return false;
            code = (code << 6) | (text[i + k] & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        multibyte = true;
        i += length;
    }
    return multibyte;
}
