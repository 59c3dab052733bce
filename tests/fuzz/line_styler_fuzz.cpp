// Tokens and the program's line styler: every byte of every line gets exactly one style, and
// only one of the styles the colouring assigns; a token never runs past the text.
#include "editor/line_styler.h"
#include "editor/tokens.h"
#include "fuzz_check.h"
#include "fuzz_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool assigned_style(unsigned char s) {
    return s == style::keyword || s == style::comment || s == style::string || s == style::number ||
           s == style::name || s == style::default_text;
}

const EditorRecord& configured_record() {
    static const EditorRecord record = program_record(shipped_keyword_text());
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    EditorRecord record = configured_record(); // names learnt stay with this input
    record.rescan = data[0] & 1;
    record.words.match_case = data[0] & 2;
    if (data[0] & 4) {
        record.syntax = Syntax::maximite;
        set_separators(record, maximite_separators);
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    // The tokens alone, over the whole text at once.
    std::string styles;
    style_tokens(record, text, styles);
    FUZZ_CHECK(styles.size() == text.size());
    for (const char s : styles) FUZZ_CHECK(assigned_style(static_cast<unsigned char>(s)));
    for (std::string_view rest = text; !rest.empty();) {
        const Token token = style_token(record, rest);
        FUZZ_CHECK(token.length >= 1 && token.length <= rest.size());
        rest.remove_prefix(token.length);
    }

    // The line styler, line by line with the line end, as a recolouring from the top does.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        const std::string_view line = text.substr(start, end - start);
        std::string line_styles;
        record.fold_delta = 0;
        FUZZ_CHECK(style_program_line(record, line, line_styles) == 0);
        FUZZ_CHECK(line_styles.size() == line.size());
        for (const char s : line_styles) FUZZ_CHECK(assigned_style(static_cast<unsigned char>(s)));
        FUZZ_CHECK(record.fold_delta >= -static_cast<long>(line.size()) &&
                   record.fold_delta <= static_cast<long>(line.size()));
        record.fold_level = std::max(record.fold_level + record.fold_delta, fold_level_base);
        start = end;
    }
    return 0;
}
