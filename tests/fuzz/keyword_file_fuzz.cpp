// The keyword file: the keyword text is the file's bytes without a leading byte-order mark and
// without any line-end or zero byte, everything else kept in order.
#include "app/keyword_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = keyword_text_from_bytes(bytes);

    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string expected;
    for (const char c : bytes)
        if (c != '\r' && c != '\n' && c != '\0') expected += c;
    FUZZ_CHECK(text == expected);
    return 0;
}
