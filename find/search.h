// Searching the editor's text (UTF-8) for a find text or a regular expression, and building
// the replacements. Positions are byte offsets into the text, as the editor counts them.
#pragma once

#include <QRegularExpression>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SearchOptions {
    bool match_case = false;
    bool whole_word = false;
    bool regular_expression = false; // ECMAScript-like syntax; $1, $& and $$ in replacements
    bool backwards = false;
    bool wrap_around = true;
    bool in_selection = false;
};

struct SearchPattern {
    QRegularExpression expression;
    bool literal_replacement = true; // the replace text is used as it stands
    std::string error;               // why the find text is no valid pattern; empty when valid
    bool valid() const { return error.empty(); }
};

struct TextMatch {
    long start = 0;
    long end = 0;
    bool wrapped = false; // found only after going round the end (or the start)
};

struct Replacement {
    long start = 0;
    long end = 0;
    std::string text; // UTF-8
};

SearchPattern compile_search(std::string_view find_text, const SearchOptions& options);

// The text as the search sees it, with the map from its positions back to the editor's bytes.
struct SearchText {
    QString text;
    std::vector<long> byte_of;      // byte offset of every UTF-16 unit, plus one past the end
    long utf16_at(long byte) const; // the first unit at or after `byte`
};
SearchText make_search_text(std::string_view utf8);

// The next match after `from` (or the last one before it when searching backwards) inside
// [range_start, range_end); with wrap_around the search goes round once. A match equal to
// the `skip` range (the selection just found) is passed over so that Find next moves on.
std::optional<TextMatch> find_match(const SearchText& text, const SearchPattern& pattern,
                                    const SearchOptions& options, long from, long range_start,
                                    long range_end, long skip_start = -1, long skip_end = -1);

// Every match in [range_start, range_end), each position at most once (an empty match never
// loops), with the replacement text it gets.
std::vector<Replacement> replace_all_matches(const SearchText& text, const SearchPattern& pattern,
                                             std::string_view replace_text, long range_start,
                                             long range_end);

// The replacement for a match found at [start, end) (the text must match there).
std::optional<std::string> replacement_at(const SearchText& text, const SearchPattern& pattern,
                                          std::string_view replace_text, long start, long end);

// Puts `entry` first in a history of recent entries, each once, at most `capacity`.
void remember_entry(std::vector<std::string>& history, const std::string& entry,
                    std::size_t capacity = 20);
