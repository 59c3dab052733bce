// Reading the keyword help file and looking words up in it.
#include "help/keyword_help.h"

#include "base/ascii.h"

#include <algorithm>

namespace {

constexpr std::size_t longest_line = 2000; // a longer help line is cut here

bool has_control_bytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

std::vector<std::string> words_of(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) break;
        std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

// Adds `entry` (its words already in `entry.word` and `entry.aliases`) to the help.
void add_entry(KeywordHelp& help, HelpEntry entry) {
    std::vector<std::string> keys;
    keys.push_back(lower_text(entry.word));
    for (const std::string& alias : entry.aliases) keys.push_back(lower_text(alias));
    const std::size_t position = help.entries.size();
    help.entries.push_back(std::move(entry));
    for (const std::string& key : keys) help.index[key] = position;
}

} // namespace

KeywordHelp parse_keyword_help(std::string_view bytes) {
    KeywordHelp help;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    HelpEntry entry;
    bool in_entry = false; // the lines read belong to `entry`
    auto finish = [&]() {
        if (in_entry) add_entry(help, std::move(entry));
        entry = HelpEntry{};
        in_entry = false;
    };
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        std::string_view line = bytes.substr(at, end - at);
        at = end;
        if (at < bytes.size() && bytes[at] == '\r') ++at;
        if (at < bytes.size() && bytes[at] == '\n') ++at;
        if (line.size() > longest_line) line = line.substr(0, longest_line);

        if (trim_blanks(line).empty() || line.front() == '\'') continue;
        if (line.starts_with("= ") || line == "=") {
            if (!in_entry) continue;
            std::string_view text = trim_blanks(line.substr(1));
            if (has_control_bytes(text)) continue;
            if (!entry.description.empty() && !text.empty()) entry.description += ' ';
            entry.description += text;
        } else if (line.front() == ' ' || line.front() == '\t') {
            std::string_view text = trim_blanks(line);
            if (in_entry && !has_control_bytes(text)) entry.syntax.emplace_back(text);
        } else {
            finish();
            if (has_control_bytes(line)) continue; // binary: skipped up to the next entry line
            std::vector<std::string> words = words_of(line);
            entry.word = std::move(words.front());
            entry.aliases.assign(std::make_move_iterator(words.begin() + 1),
                                 std::make_move_iterator(words.end()));
            in_entry = true;
        }
    }
    finish();

    // Entries that a later one overrode for all their words drop out of the list.
    std::vector<bool> used(help.entries.size(), false);
    for (const auto& [key, position] : help.index) used[position] = true;
    if (std::find(used.begin(), used.end(), false) != used.end()) {
        std::vector<std::size_t> moved_to(help.entries.size(), 0);
        std::vector<HelpEntry> kept;
        for (std::size_t i = 0; i < help.entries.size(); ++i) {
            if (!used[i]) continue;
            moved_to[i] = kept.size();
            kept.push_back(std::move(help.entries[i]));
        }
        help.entries = std::move(kept);
        for (auto& [key, position] : help.index) position = moved_to[position];
    }
    return help;
}

const HelpEntry* find_help(const KeywordHelp& help, std::string_view word) {
    if (word.empty() || word.size() > longest_line) return nullptr;
    auto found = help.index.find(lower_text(word));
    return found == help.index.end() ? nullptr : &help.entries[found->second];
}

std::string help_text(const HelpEntry& entry) {
    std::string text;
    for (const std::string& line : entry.syntax) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    if (!entry.description.empty()) {
        if (!text.empty()) text += '\n';
        text += entry.description;
    }
    return text;
}

std::vector<std::string_view> keyword_words(std::string_view keyword_text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < keyword_text.size()) {
        std::size_t end = std::min(keyword_text.find(' ', at), keyword_text.size());
        if (end > at) words.push_back(keyword_text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}
