// Tests of the keyword help file reader and of the shipped help file's coverage.
#include "app/keyword_file.h"
#include "help/keyword_help.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace std::string_literals;

namespace {

std::string resource(const char* name) {
    const std::string path =
        std::filesystem::path(ZELL_TEST_DATA "/../../resources/" + std::string(name))
            .lexically_normal()
            .string();
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(KeywordHelp, ReadsEntriesWithAliasesSyntaxAndDescription) {
    const KeywordHelp help = parse_keyword_help("' a comment\r\n"
                                                "STRAY words at column 0 start an entry too\n"
                                                "COLOUR COLOR\n"
                                                "  COLOUR fore [, back]  \n"
                                                "\tCOLOR fore\n"
                                                "= Sets the colours\n"
                                                "= of text.\n"
                                                "\n"
                                                "PI\n"
                                                "= The number pi.\n"
                                                "CLS\n");
    ASSERT_EQ(help.entries.size(), 4u);
    const HelpEntry* colour = find_help(help, "color");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour, find_help(help, "COLOUR"));
    EXPECT_EQ(colour->word, "COLOUR");
    EXPECT_EQ(colour->aliases, std::vector<std::string>{"COLOR"});
    EXPECT_EQ(colour->syntax, (std::vector<std::string>{"COLOUR fore [, back]", "COLOR fore"}));
    EXPECT_EQ(colour->description, "Sets the colours of text.");
    EXPECT_EQ(help_text(*colour), "COLOUR fore [, back]\nCOLOR fore\nSets the colours of text.");
    // Entries without syntax, or without anything at all, still count.
    ASSERT_NE(find_help(help, "pi"), nullptr);
    EXPECT_EQ(help_text(*find_help(help, "Pi")), "The number pi.");
    ASSERT_NE(find_help(help, "cls"), nullptr);
    EXPECT_EQ(help_text(*find_help(help, "cls")), "");
    EXPECT_EQ(find_help(help, "colours"), nullptr);
    EXPECT_EQ(find_help(help, ""), nullptr);
}

TEST(KeywordHelp, LaterEntryOverridesAnEarlierOne) {
    const KeywordHelp help = parse_keyword_help("A\n= first\nB\n= b\na\n= second\n");
    ASSERT_EQ(help.entries.size(), 2u);
    EXPECT_EQ(find_help(help, "A")->description, "second");
    EXPECT_EQ(find_help(help, "b")->description, "b");
    EXPECT_EQ(help.entries.front().word, "B");
}

TEST(KeywordHelp, BadInputGivesNoEntriesOrSkipsTheBadOnes) {
    EXPECT_TRUE(parse_keyword_help("").entries.empty());
    EXPECT_TRUE(parse_keyword_help("\r\n\n  \n= orphan\n").entries.empty());
    // Binary bytes: entry lines with control bytes and what follows them are dropped.
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    const KeywordHelp noisy = parse_keyword_help(binary + "\nGOOD\n  GOOD x\n"s + "B\0AD\n  y\n"s);
    ASSERT_NE(find_help(noisy, "good"), nullptr);
    EXPECT_EQ(find_help(noisy, "good")->syntax, std::vector<std::string>{"GOOD x"});
    // 10 MB: read whole, overlong lines cut.
    std::string big;
    big.reserve(10u << 20);
    for (int i = 0; big.size() < (10u << 20); ++i)
        big += "W" + std::to_string(i) + "\n  W x, y\n= " + std::string(200, 'd') + "\n";
    big += "LONG\n  " + std::string(1 << 20, 'x') + "\n";
    const KeywordHelp large = parse_keyword_help(big);
    EXPECT_GT(large.entries.size(), 40000u);
    ASSERT_NE(find_help(large, "w123"), nullptr);
    ASSERT_NE(find_help(large, "long"), nullptr);
    EXPECT_LE(find_help(large, "long")->syntax.at(0).size(), 2000u);
}

TEST(KeywordHelp, EveryWordOfTheShippedKeywordFileHasHelp) {
    const std::string keyword_text = keyword_text_from_bytes(resource("Zellcmndlist.dat"));
    const KeywordHelp help = parse_keyword_help(resource("Zellhelp.dat"));
    const std::vector<std::string_view> words = keyword_words(keyword_text);
    ASSERT_GT(words.size(), 500u);
    std::size_t covered = 0;
    for (std::string_view word : words) {
        const HelpEntry* entry = find_help(help, word);
        EXPECT_NE(entry, nullptr) << "no help for " << word;
        if (!entry) continue;
        EXPECT_FALSE(entry->description.empty()) << "no description for " << word;
        ++covered;
    }
    std::printf("[ keyword help ] %zu of %zu keywords have help (%zu entries in the file)\n",
                covered, words.size(), help.entries.size());
}
