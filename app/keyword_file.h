// The keyword text from the bytes of the keyword file.
#pragma once

#include <string>
#include <string_view>

// The texts of all lines joined with nothing between them: a line ends at CR, LF, CR LF or a
// zero byte, and a line break does not separate words. A leading UTF-8 byte-order mark is
// dropped so that it does not stick to the first keyword.
std::string keyword_text_from_bytes(std::string_view file_bytes);
