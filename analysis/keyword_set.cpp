// The language's words as the analysis looks them up, and the keys of names.
#include "analysis/reading.h"

#include "base/ascii.h"

namespace {

// The words the analysis itself reads: always keywords, whatever the keyword file holds.
constexpr std::string_view built_in_words =
    "if then else elseif endif end for to step next do loop while until wend select case is "
    "sub function exit type dim local static const let goto gosub return restore data rem "
    "option explicit base default integer float string as length input line read print on "
    "error skip abort ignore clear call csub cfunction definefont library not and or xor mod "
    "run list new cls pause inc swap erase open close settick setpin interrupt mm ";

void add_words(std::unordered_set<std::string>& words, std::string_view text) {
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty()) words.insert(word);
            word.clear();
        } else {
            word += lower_ascii(c);
        }
    }
    if (!word.empty()) words.insert(word);
}

} // namespace

KeywordSet make_keyword_set(std::string_view keywords) {
    KeywordSet set;
    add_words(set.words, built_in_words);
    set.built_in = set.words;
    add_words(set.words, keywords);
    set.given = keywords.find_first_not_of(" \t\r\n") != std::string_view::npos;
    return set;
}

bool KeywordSet::holds(std::string_view word, std::string& scratch) const {
    scratch.assign(word);
    for (char& c : scratch) c = lower_ascii(c);
    if (words.count(scratch)) return true;
    // "MM.anything" belongs to the board, whatever follows the dot.
    const std::size_t dot = scratch.find('.');
    return dot != std::string::npos && scratch.compare(0, dot, "mm") == 0;
}

bool KeywordSet::is_built_in(std::string_view word, std::string& scratch) const {
    scratch.assign(word);
    for (char& c : scratch) c = lower_ascii(c);
    return built_in.count(scratch) != 0;
}

void name_key(std::string_view name, std::string& out) {
    if (!name.empty() && (name.back() == '$' || name.back() == '%' || name.back() == '!'))
        name.remove_suffix(1);
    out.assign(name);
    for (char& c : out) c = lower_ascii(c);
}

bool LineReader::keywords_equal(std::string_view text, std::string_view lower_word) {
    if (text.size() != lower_word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (lower_ascii(text[i]) != lower_word[i]) return false;
    return true;
}

KeyId KeyTable::id(const std::string& key) {
    const auto found = ids.find(key);
    if (found != ids.end()) return found->second;
    const std::size_t dot = key.find('.');
    const KeyId prefix = dot == std::string::npos || dot == 0 ? no_key : id(key.substr(0, dot));
    const KeyId made = static_cast<KeyId>(keys.size());
    ids.emplace(key, made);
    keys.push_back(key);
    before_dot.push_back(prefix);
    return made;
}

KeyId LineReader::key_of(std::string_view name) {
    name_key(name, scratch);
    return keys.id(scratch);
}

Op& LineReader::add(OpKind kind, const CodeToken& at) {
    return place(kind, at.line, at.offset, at.length);
}

Op& LineReader::place(OpKind kind, std::size_t line, std::size_t offset, std::size_t length) {
    Op& op = record.ops.emplace_back();
    op.kind = kind;
    op.line = static_cast<std::uint32_t>(line);
    op.offset = offset;
    op.length = length;
    return op;
}

void LineReader::note(OpKind kind, const char* code, std::size_t line, std::size_t offset,
                      std::size_t length, std::string message) {
    Op& op = place(kind, line, offset, length);
    op.count = static_cast<std::uint32_t>(record.notes.size());
    record.notes.push_back({code, std::move(message)});
}
