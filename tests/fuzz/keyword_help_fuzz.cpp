// The keyword help file: whatever it holds, every entry has a word, every word and alias is
// found (letter case ignored) and leads to an entry that names it, no text holds a line end or
// control byte, and the keyword words are the blank-separated pieces of the text.
#include "base/ascii.h"
#include "fuzz_check.h"
#include "help/keyword_help.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool no_line_end(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool names(const HelpEntry& entry, std::string_view word) {
    if (lower_text(entry.word) == lower_text(word)) return true;
    for (const std::string& alias : entry.aliases)
        if (lower_text(alias) == lower_text(word)) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const KeywordHelp help = parse_keyword_help(bytes);

    for (std::size_t i = 0; i < help.entries.size(); ++i) {
        const HelpEntry& entry = help.entries[i];
        FUZZ_CHECK(!entry.word.empty());
        FUZZ_CHECK(no_line_end(entry.word) && no_line_end(entry.description));
        for (const std::string& s : entry.syntax) FUZZ_CHECK(no_line_end(s));
        for (const std::string& a : entry.aliases) FUZZ_CHECK(!a.empty() && no_line_end(a));
        const HelpEntry* found = find_help(help, entry.word);
        FUZZ_CHECK(found != nullptr && names(*found, entry.word));
        for (const std::string& alias : entry.aliases) {
            const HelpEntry* by_alias = find_help(help, alias);
            FUZZ_CHECK(by_alias != nullptr && names(*by_alias, alias));
        }
        help_text(entry);
    }
    for (const auto& [word, index] : help.index) {
        FUZZ_CHECK(index < help.entries.size());
        FUZZ_CHECK(names(help.entries[index], word));
        FUZZ_CHECK(lower_text(word) == word);
    }

    std::size_t pieces = 0;
    for (const std::string_view word : keyword_words(bytes)) {
        FUZZ_CHECK(!word.empty() && word.find(' ') == std::string_view::npos);
        FUZZ_CHECK(word.data() >= bytes.data() && word.data() + word.size() <= bytes.data() + size);
        ++pieces;
    }
    std::size_t expected = 0;
    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != ' ' && (i == 0 || bytes[i - 1] == ' ')) ++expected;
    FUZZ_CHECK(pieces == expected);
    return 0;
}
