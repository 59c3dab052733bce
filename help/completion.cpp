// Completion lists and the caret's context for them.
#include "help/completion.h"

#include "base/ascii.h"
#include "help/call_tips.h"

#include <algorithm>

namespace {

bool less_ignoring_case(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = lower_ascii(a[i]), y = lower_ascii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

// Appends the blank-separated words of `text` that start with `prefix`.
void matching_words(std::string_view text, std::string_view prefix,
                    std::vector<std::string_view>& out) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = std::min(text.find(' ', at), text.size());
        std::string_view word = text.substr(at, end - at);
        if (!word.empty() && starts_with_ignoring_case(word, prefix)) out.push_back(word);
        at = end + 1;
    }
}

void sort_unique(std::vector<std::string_view>& words) {
    std::sort(words.begin(), words.end(), less_ignoring_case);
    words.erase(std::unique(words.begin(), words.end(), equal_ignoring_case), words.end());
}

} // namespace

std::vector<std::string> completion_items(std::string_view prefix,
                                          const CompletionSources& sources) {
    std::vector<std::string> items;
    if (prefix.empty()) return items;
    std::vector<std::string_view> names, keywords;
    matching_words(sources.names, prefix, names);
    matching_words(sources.keyword_text, prefix, keywords);
    sort_unique(names);
    sort_unique(keywords);
    const bool capitals =
        sources.capitalise_keywords ||
        std::any_of(prefix.begin(), prefix.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    items.reserve(names.size() + keywords.size());
    for (std::string_view name : names) items.emplace_back(name);
    for (std::string_view keyword : keywords) {
        if (std::binary_search(names.begin(), names.end(), keyword, less_ignoring_case)) continue;
        std::string text(keyword);
        for (char& c : text)
            if (capitals ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z'))
                c = static_cast<char>(capitals ? c - 'a' + 'A' : c - 'A' + 'a');
        items.push_back(std::move(text));
    }
    return items;
}

bool in_string_or_comment(std::string_view line) {
    bool in_string = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            in_string = !in_string;
        } else if (in_string) {
            continue;
        } else if (c == '\'') {
            return true;
        } else if ((c == 'r' || c == 'R') && i + 3 <= line.size() &&
                   (i == 0 || !is_keyword_byte(line[i - 1])) &&
                   starts_with_ignoring_case(line.substr(i), "rem") &&
                   (i + 3 == line.size() || line[i + 3] == ' ' || line[i + 3] == '\t')) {
            // REM ends the statements of its line only when a blank follows it; while it is
            // still being typed ("rem" at the end) the caret is in a word, not a comment.
            if (i + 3 < line.size()) return true;
        }
    }
    return in_string;
}

std::string_view word_before_caret(std::string_view line) {
    std::size_t start = line.size();
    while (start > 0 && is_keyword_byte(line[start - 1])) --start;
    return line.substr(start);
}
