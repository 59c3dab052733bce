// Completion: the words that start with what was typed, and whether the caret is in a place
// where a word can be typed at all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CompletionSources {
    std::string_view keyword_text; // blank-separated, as the keyword file gives it
    std::string_view names;        // the document's names, each followed by one blank
    bool capitalise_keywords = true;
};

// The words starting with `prefix` (letter case ignored): the document's names first, as
// their definition writes them, then the keywords, each group in alphabetical order ignoring
// case. A keyword is given in capitals when `capitalise_keywords` is set; otherwise in small
// letters unless the prefix holds a capital. A word in both groups is listed once, as a name.
// Nothing for an empty prefix.
std::vector<std::string> completion_items(std::string_view prefix,
                                          const CompletionSources& sources);

// Whether the end of `line_before_caret` (a line's text up to the caret) lies inside a string
// or a comment (an apostrophe or REM outside a string).
bool in_string_or_comment(std::string_view line_before_caret);

// The word being typed: the run of word characters at the end of `line_before_caret`.
std::string_view word_before_caret(std::string_view line_before_caret);
