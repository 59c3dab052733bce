// Checks the keyword file shipped with the program: its layout and the words it must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// Normalised by hand: the test data folder need not exist for its ".." to be followed.
const std::string kKeywordFile =
    std::filesystem::path(ZELL_TEST_DATA "/../../resources/Zellcmndlist.dat")
        .lexically_normal()
        .string();

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines as written, without their line ends (CR, LF or CR LF).
std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The keyword text the program builds: all lines joined, split at every single blank.
std::vector<std::string> keyword_words(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& line : lines) joined += line;
    std::vector<std::string> words;
    std::string word;
    for (char c : joined) {
        if (c == ' ') {
            words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

class ShippedKeywordFile : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string text = read_file(kKeywordFile);
        ASSERT_FALSE(text.empty()) << "cannot read " << kKeywordFile;
        lines = split_lines(text);
        words = keyword_words(lines);
    }
    std::vector<std::string> lines;
    std::vector<std::string> words;
};

TEST_F(ShippedKeywordFile, EveryLineEndsInOneBlankSoWordsDoNotJoin) {
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_FALSE(lines[i].empty()) << "empty line " << i + 1;
        EXPECT_EQ(lines[i].back(), ' ') << "line " << i + 1 << ": " << lines[i];
        EXPECT_EQ(lines[i].find('\t'), std::string::npos) << "tab on line " << i + 1;
    }
}

TEST_F(ShippedKeywordFile, WordsAreNonEmptyUpperCaseAndUnique) {
    std::set<std::string> seen;
    for (const auto& word : words) {
        ASSERT_FALSE(word.empty()) << "double blank after word number " << seen.size();
        const bool upper = std::none_of(word.begin(), word.end(), [](unsigned char c) {
            return std::islower(c) != 0 || c >= 0x80;
        });
        EXPECT_TRUE(upper) << word;
        EXPECT_TRUE(seen.insert(word).second) << "duplicate " << word;
    }
    EXPECT_GE(words.size(), 400u);
}

TEST_F(ShippedKeywordFile, HoldsTheCommonCommandsAndFunctions) {
    const std::set<std::string> present(words.begin(), words.end());
    for (const char* needed : {"PRINT", "SETPIN", "PIN", "PWM",      "OPEN", "CLOSE", "FILES",
                               "LINE",  "CIRCLE", "BOX", "TIMER",    "MID$", "INSTR", "VAL",
                               "MM",    "END",    "SUB", "FUNCTION", "AND",  "MOD"}) {
        EXPECT_TRUE(present.count(needed)) << needed;
    }
}

} // namespace
