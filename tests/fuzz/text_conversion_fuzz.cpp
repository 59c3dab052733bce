// The 8-bit text conversion: 8-bit text survives the way to UTF-8 and back unchanged; UTF-8 made
// by it is valid; any bytes taken as UTF-8 decode as a plain reading of the rule says, in both
// decoders (the file conversion and the colouring's).
#include "base/text_conversion.h"
#include "editor/tokens.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// One byte for U+0000 to U+00FF, one "?" for everything else: a lead byte claims 1 to 4 bytes
// (F8 to FF and stray continuation bytes claim none and are one "?" each); a sequence cut short
// gives one "?" for what it took.
std::string plain_decode(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        std::size_t length = lead >= 0xF8   ? 0
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 0;
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken < length && i + taken < utf8.size() &&
               continuation(static_cast<unsigned char>(utf8[i + taken])))
            ++taken;
        unsigned value = 0;
        if (taken == length && length == 2)
            value = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        out += (taken == 2 && length == 2 && value >= 0x80 && value <= 0xFF)
                   ? static_cast<char>(value)
                   : '?';
        i += taken;
    }
    return out;
}

bool valid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
        } else if (b == 0xC2 || b == 0xC3) {
            if (i + 1 >= text.size() || !continuation(static_cast<unsigned char>(text[i + 1])))
                return false;
            i += 2;
        } else {
            return false; // 8-bit text never needs more than two bytes
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = bytes_to_utf8(bytes);
    FUZZ_CHECK(valid_utf8(utf8));
    FUZZ_CHECK(utf8_to_bytes(utf8) == bytes);
    FUZZ_CHECK(decode_utf8_bytes(utf8) == bytes);

    const std::string decoded = utf8_to_bytes(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size());
    FUZZ_CHECK(decoded == plain_decode(bytes));
    bool substituted = false;
    FUZZ_CHECK(decode_utf8_bytes(bytes, &substituted) == decoded);
    // A "?" stands for something else exactly when the bytes are not UTF-8 of 8-bit text.
    FUZZ_CHECK(substituted == (bytes_to_utf8(decoded) != bytes));
    return 0;
}
