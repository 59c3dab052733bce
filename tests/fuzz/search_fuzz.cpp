// Search: for any find text, options and editor text, every match lies inside the range asked
// for, starts and ends between whole UTF-8 characters, a literal find text matches exactly
// those bytes (letter case aside), and replacing all gives ordered matches that never overlap.
#include "find/search.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

bool boundary(const std::string& text, long at) {
    return at == static_cast<long>(text.size()) ||
           (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

std::string valid_utf8(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    SearchOptions options;
    options.match_case = input.ConsumeBool();
    options.whole_word = input.ConsumeBool();
    options.regular_expression = input.ConsumeBool();
    options.backwards = input.ConsumeBool();
    options.wrap_around = input.ConsumeBool();
    // Short patterns over short texts: how long a pathological expression takes is the regular
    // expression engine's business, not what this target looks for.
    // The find and replace boxes and the editor hold UTF-8 only.
    const std::string find_text = valid_utf8(input.ConsumeRandomLengthString(12));
    const std::string replace_text = valid_utf8(input.ConsumeRandomLengthString(12));
    const std::string editor_text = valid_utf8(input.ConsumeRandomLengthString(600));

    const SearchPattern pattern = compile_search(find_text, options);
    if (!pattern.valid()) return 0;
    const SearchText search_text = make_search_text(editor_text);
    const long length = static_cast<long>(editor_text.size());
    FUZZ_CHECK(static_cast<long>(search_text.byte_of.size()) == search_text.text.size() + 1);
    FUZZ_CHECK(search_text.byte_of.back() == length);

    long range_start = input.ConsumeIntegralInRange<long>(0, length);
    long range_end = input.ConsumeIntegralInRange<long>(0, length);
    if (range_start > range_end) std::swap(range_start, range_end);
    long from = input.ConsumeIntegralInRange<long>(range_start, range_end);
    // The editor gives positions between characters only.
    while (!boundary(editor_text, range_start)) ++range_start;
    while (!boundary(editor_text, range_end)) ++range_end;
    while (!boundary(editor_text, from)) ++from;
    from = std::clamp(from, range_start, range_end);

    const auto match = find_match(search_text, pattern, options, from, range_start, range_end);
    if (match) {
        FUZZ_CHECK(range_start <= match->start && match->start <= match->end &&
                   match->end <= range_end);
        FUZZ_CHECK(boundary(editor_text, match->start) && boundary(editor_text, match->end));
        if (!options.regular_expression && options.match_case)
            FUZZ_CHECK(editor_text.compare(match->start, match->end - match->start, find_text) ==
                       0);
        // What Find selects, Replace takes. (Not checked for expressions: after an empty match
        // a global search tries a non-empty one at the same place, which an anchored match,
        // taking the first alternative again, does not give.)
        if (!options.regular_expression)
            FUZZ_CHECK(replacement_at(search_text, pattern, replace_text, match->start, match->end)
                           .has_value());
    }

    const std::vector<Replacement> all =
        replace_all_matches(search_text, pattern, replace_text, range_start, range_end);
    long previous_end = range_start;
    for (const Replacement& r : all) {
        FUZZ_CHECK(r.start >= previous_end && r.start <= r.end && r.end <= range_end);
        FUZZ_CHECK(boundary(editor_text, r.start) && boundary(editor_text, r.end));
        if (!options.regular_expression) FUZZ_CHECK(r.text == replace_text);
        previous_end = r.end;
    }
    if (match && !options.wrap_around) FUZZ_CHECK(!all.empty());
    return 0;
}
