// Format and Remove indents: Format changes nothing but the leading blanks and the number
// field, never cuts or joins a word, and formatting its result again changes nothing; Remove
// indents gives every line cleaned of its leading and trailing spaces.
#include "fuzz_check.h"
#include "tests/support/format_layout.h"
#include "tools/transform.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t max_formatted = std::size_t{1} << 22;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int level = data[0] % 4;
    const int tab = data[1] % 9;
    const Syntax syntax = data[0] & 4 ? Syntax::maximite : Syntax::alternate;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    // The document's names come first, up to a zero byte; the program text follows.
    const std::size_t zero = rest.find('\0');
    const std::string_view names = zero == std::string_view::npos ? "" : rest.substr(0, zero);
    const std::string_view text = zero == std::string_view::npos ? rest : rest.substr(zero + 1);
    const std::vector<std::string_view> in_lines = split_program_lines(text);

    const std::string removed = remove_indents_text(text);
    const std::vector<std::string_view> removed_lines = split_program_lines(removed);
    FUZZ_CHECK(removed_lines.size() == in_lines.size());
    for (std::size_t i = 0; i < in_lines.size(); ++i)
        FUZZ_CHECK(removed_lines[i] == clean_program_line(in_lines[i]));
    FUZZ_CHECK(remove_indents_text(removed) == removed);

    const std::optional<std::string> out =
        format_text_within(text, names, level, tab, max_formatted, "\n", syntax);
    if (!out) return 0;
    const std::vector<std::string_view> out_lines = split_program_lines(*out);
    FUZZ_CHECK(out_lines.size() == in_lines.size());
    for (std::size_t i = 0; i < in_lines.size(); ++i) {
        const std::string_view in = clean_program_line(in_lines[i]);
        FUZZ_CHECK(without_layout(out_lines[i]) == without_layout(in));
        FUZZ_CHECK(words_of(out_lines[i]) == words_of(in));
        FUZZ_CHECK(out_lines[i].find('\r') == std::string_view::npos);
    }
    const std::optional<std::string> again =
        format_text_within(*out, names, level, tab, max_formatted, "\n", syntax);
    FUZZ_CHECK(again && *again == *out);
    return 0;
}
