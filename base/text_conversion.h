// Conversion between 8-bit text (one byte per character) and the editor's UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Each byte becomes the character with the same code: bytes below 0x80 stay one byte, bytes
// 0x80 to 0xFF become two bytes. Zero bytes are kept.
std::string bytes_to_utf8(std::string_view bytes);

// The reverse: a one-byte sequence is copied (zero bytes included), a two-byte sequence for
// U+0080 to U+00FF becomes that byte, and every other sequence becomes one "?": characters from
// U+0100 up, overlong forms, and malformed input. Malformed input is consumed so that nothing
// valid after it is lost: a stray continuation byte or an impossible lead byte (0xF8 to 0xFF) is
// one "?"; a lead byte whose sequence is cut short by a non-continuation byte or the end of the
// text gives one "?" for the bytes taken so far, and decoding resumes at the byte that cut it.
std::string utf8_to_bytes(std::string_view utf8);

// The same decoding into a buffer: U+0000 to U+00FF become one byte each, everything else
// (higher characters, overlong or cut-short sequences, stray bytes) one "?". Writes at most
// utf8.size() bytes to `out` and returns the count; `substituted`, when given, tells whether a
// "?" stands for something else.
std::size_t decode_utf8_bytes(std::string_view utf8, char* out, bool* substituted = nullptr);
std::string decode_utf8_bytes(std::string_view utf8, bool* substituted = nullptr);

// The characters of UTF-8 text that a file of one byte per character cannot hold: everything
// utf8_to_bytes turns into "?" that was not a "?" already.
struct UnencodableCharacters {
    std::size_t count = 0;
    long first = -1; // byte offset of the first one, -1 when there is none
};
UnencodableCharacters find_unencodable(std::string_view utf8);

// Whether `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF)
// holding at least one multi-byte sequence: such a file is kept as UTF-8 rather than read as
// one byte per character.
bool is_multibyte_utf8(std::string_view bytes);
