// Find and replace over the editor's UTF-8 text: options, wrapping, regular expressions,
// empty matches and positions past non-ASCII characters.
#include "find/search.h"

#include <gtest/gtest.h>

namespace {

std::optional<TextMatch> find(std::string_view text, std::string_view what, SearchOptions options,
                              long from, long skip_start = -1, long skip_end = -1) {
    SearchText search = make_search_text(text);
    return find_match(search, compile_search(what, options), options, from, 0, long(text.size()),
                      skip_start, skip_end);
}

std::string apply_replacements(std::string text, const std::vector<Replacement>& replacements) {
    for (auto r = replacements.rbegin(); r != replacements.rend(); ++r)
        text.replace(std::size_t(r->start), std::size_t(r->end - r->start), r->text);
    return text;
}

std::string replace_all(std::string_view text, std::string_view what, std::string_view with,
                        SearchOptions options = {}) {
    SearchText search = make_search_text(text);
    return apply_replacements(
        std::string(text),
        replace_all_matches(search, compile_search(what, options), with, 0, long(text.size())));
}

} // namespace

TEST(Search, CaseWholeWordAndWrapping) {
    std::string text = "Print x\nPRINTER\nprint y\n";
    SearchOptions options;
    auto m = find(text, "print", options, 1);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 8); // PRINTER, case ignored
    options.whole_word = true;
    m = find(text, "print", options, 1);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 16);
    EXPECT_FALSE(m->wrapped);
    m = find(text, "print", options, 17);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 0);
    EXPECT_TRUE(m->wrapped);
    options.wrap_around = false;
    EXPECT_FALSE(find(text, "print", options, 17));
    options = {};
    options.match_case = true;
    m = find(text, "print", options, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 16);
}

TEST(Search, BackwardsFindsTheMatchBeforeAndSkipsTheOneSelected) {
    std::string text = "a1 a2 a3";
    SearchOptions options;
    options.backwards = true;
    auto m = find(text, "a", options, 5);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 3);
    m = find(text, "a", options, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 6);
    EXPECT_TRUE(m->wrapped);
    // Forwards from the start of the selected match moves on to the next one.
    options.backwards = false;
    m = find(text, "a", options, 3, 3, 4);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 6);
}

TEST(Search, PositionsAreBytesPastNonAsciiText) {
    std::string text = "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80 x=1"; // "été 😀 x=1"
    auto m = find(text, "x", {}, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(text.substr(std::size_t(m->start), 3), "x=1");
    m = find(text, "\xC3\x89T", {}, 1); // "ÉT": case folding beyond ASCII
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 0);
    EXPECT_EQ(m->end, 3);
}

TEST(Search, RegularExpressionsWithGroupsAndInvalidOnes) {
    SearchOptions regex;
    regex.regular_expression = true;
    EXPECT_EQ(replace_all("GOTO 100\nGOSUB 20\n", R"((GO\w+) (\d+))", "$1 L$2", regex),
              "GOTO L100\nGOSUB L20\n");
    EXPECT_EQ(replace_all("a-b", "(a)-(b)", "$2$$$&$9", regex), "b$a-b$9");
    // \1 means $1; a backslash before anything but a group number stays as written.
    EXPECT_EQ(replace_all("GOTO 100\n", R"((GO\w+) (\d+))", R"(\1 L\2)", regex), "GOTO L100\n");
    EXPECT_EQ(replace_all("a-b", "(a)-(b)", R"(\2\9\n\\0)", regex), R"(b\9\n\\0)");
    EXPECT_EQ(replace_all("(a)", "(a)", R"(\1)"), R"(\1)"); // not a pattern: as typed
    EXPECT_EQ(replace_all("x^y", "^", "> ", regex), "> x^y");
    EXPECT_EQ(replace_all("ab\ncd", "^", "> ", regex), "> ab\n> cd");
    // A plain find text is never a pattern; $1 stays as typed.
    EXPECT_EQ(replace_all("(a)", "(a)", "$1"), "$1");
    SearchPattern bad = compile_search("(unclosed", regex);
    EXPECT_FALSE(bad.valid());
    EXPECT_NE(bad.error.find("Invalid regular expression"), std::string::npos);
    EXPECT_TRUE(replace_all_matches(make_search_text("(unclosed"), bad, "x", 0, 9).empty());
}

TEST(Search, EmptyMatchesReplaceEachPositionOnceAndNeverLoop) {
    SearchOptions regex;
    regex.regular_expression = true;
    EXPECT_EQ(replace_all("abc", "x*", "-", regex), "-a-b-c-");
    EXPECT_EQ(replace_all("", "x*", "-", regex), "-");
    EXPECT_EQ(replace_all("aaa", "a*", "-", regex), "--");
}

TEST(Search, LongInputsAndSelectionRanges) {
    std::string line(5'000'000, 'a');
    line += "needle";
    auto m = find(line, "needle", {}, 0);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, 5'000'000);
    std::string long_find(10'000, 'q');
    EXPECT_FALSE(find(line, long_find, {}, 0));

    std::string text = "x x x x";
    SearchText search = make_search_text(text);
    auto within = replace_all_matches(search, compile_search("x", {}), "y", 2, 5);
    EXPECT_EQ(apply_replacements(text, within), "x y y x");
}

TEST(Search, HistoryKeepsEachEntryOnceNewestFirst) {
    std::vector<std::string> history;
    remember_entry(history, "a");
    remember_entry(history, "b");
    remember_entry(history, "a");
    remember_entry(history, "");
    EXPECT_EQ(history, (std::vector<std::string>{"a", "b"}));
    for (int i = 0; i < 30; ++i) remember_entry(history, std::to_string(i), 5);
    EXPECT_EQ(history.size(), 5u);
    EXPECT_EQ(history.front(), "29");
}

TEST(Search, ASelectionEndingInsideAWordOrLineCutsNoMatchShort) {
    // The end of a selection is no end of a word or line: what Find offers there, Replace takes.
    SearchOptions whole;
    whole.whole_word = true;
    std::string text = "PRINTER x";
    SearchText search = make_search_text(text);
    SearchPattern pattern = compile_search("PRINT", whole);
    EXPECT_FALSE(find_match(search, pattern, whole, 0, 0, 5));
    EXPECT_TRUE(replace_all_matches(search, pattern, "?", 0, 5).empty());

    SearchOptions regex;
    regex.regular_expression = true;
    text = "ax\nax b";
    search = make_search_text(text);
    pattern = compile_search("x$", regex);
    auto within = replace_all_matches(search, pattern, "-", 0, 5);
    EXPECT_EQ(apply_replacements(text, within), "a-\nax b");
    regex.backwards = true;
    auto found = find_match(search, pattern, regex, 5, 0, 5);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->start, 1);
    EXPECT_TRUE(replacement_at(search, pattern, "-", found->start, found->end));

    // An empty whole-word match at the end of an empty selection before a letter.
    whole.regular_expression = true;
    search = make_search_text("R");
    EXPECT_FALSE(find_match(search, compile_search("e|", whole), whole, 0, 0, 0));
}
