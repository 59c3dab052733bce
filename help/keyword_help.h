// The keyword help file: for each keyword its syntax lines and a one-line description.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One entry of the help file. The file's format, line by line:
//   a line at column 0     starts an entry: the word, then any aliases, separated by blanks
//   an indented line       a syntax line of the entry (blanks around it dropped)
//   "= text"               the entry's description (several such lines are joined by a blank)
//   "'" at column 0        a comment; blank lines are skipped
struct HelpEntry {
    std::string word;                 // as the file writes it
    std::vector<std::string> aliases; // further words with the same help
    std::vector<std::string> syntax;  // may be empty
    std::string description;          // may be empty
};

struct KeywordHelp {
    std::vector<HelpEntry> entries; // in file order, one per distinct word
    // Every word and alias in lower case, to its entry.
    std::unordered_map<std::string, std::size_t> index;
};

// Reads the bytes of a help file. Anything that is not an entry is skipped: lines before the
// first entry, entry lines holding control bytes (binary data) and the lines that follow them.
// A word given again by a later entry takes the later entry's help, so a user can override the
// shipped help by appending to the file. Overlong lines are cut.
KeywordHelp parse_keyword_help(std::string_view bytes);

// The entry of `word` (letter case ignored), or null.
const HelpEntry* find_help(const KeywordHelp& help, std::string_view word);

// The entry's syntax lines followed by its description, joined by LF.
std::string help_text(const HelpEntry& entry);

// The words of a keyword text (blank-separated, as the keyword file gives it).
std::vector<std::string_view> keyword_words(std::string_view keyword_text);
