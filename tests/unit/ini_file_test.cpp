// Tests of the INI reader and writer: line forms, lookup rules, number reading, bad input.
#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

std::optional<std::string> value_of(const IniFile& file, std::string_view group,
                                    std::string_view key) {
    const auto value = ini_value(file, ini_group(file, group), key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

} // namespace

TEST(IniFile, LineFormsAndLineEnds) {
    const IniFile file = parse_ini("\xEF\xBB\xBF[One]\r\n"
                                   "  \t; a=comment\r"
                                   "\t a \t=\t 1 \n"
                                   "\n   \n"
                                   "novalue\r\n"
                                   "=empty key\r\n"
                                   "b=x=y\r"
                                   "[Two\n"
                                   "c = 3");
    EXPECT_EQ(value_of(file, "One", "a"), "1 "); // trailing blanks stay in the raw value
    EXPECT_EQ(value_of(file, "One", "; a"), std::nullopt);
    EXPECT_EQ(value_of(file, "One", "novalue"), "");
    EXPECT_EQ(value_of(file, "One", ""), "empty key");
    EXPECT_EQ(value_of(file, "One", "b"), "x=y");
    EXPECT_EQ(value_of(file, "Two", "c"), "3"); // header without "]", last line without end
    EXPECT_EQ(value_of(file, "One", "c"), std::nullopt);
    EXPECT_EQ(ini_group(file, "One")->key_lines, 4u);
}

TEST(IniFile, CaseAndFirstMatchRules) {
    const IniFile file = parse_ini("orphan=1\n"
                                   "[windows]\nMAINX=300\nmainx=400\n"
                                   "[Other]\nkey=a\n"
                                   "[WINDOWS]\nMainY=5\nMainX=500\n");
    const IniGroup* windows = ini_group(file, "Windows");
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(ini_int(file, windows, "MainX", 0), 300);
    // Only the first header of a group is read.
    EXPECT_EQ(ini_int(file, windows, "MainY", -1), -1);
    EXPECT_EQ(ini_value(file, windows, "orphan"), std::nullopt);
    EXPECT_EQ(ini_group(file, "Missing"), nullptr);
    EXPECT_EQ(ini_int(file, nullptr, "MainX", 7), 7);
    EXPECT_EQ(ini_text(file, nullptr, "MainX", "dflt"), "dflt");
}

TEST(IniFile, IntegerValues) {
    EXPECT_EQ(int_prefix_value("42"), 42);
    EXPECT_EQ(int_prefix_value(" \t-17px"), -17);
    EXPECT_EQ(int_prefix_value("+8"), 8);
    EXPECT_EQ(int_prefix_value(""), 0);
    EXPECT_EQ(int_prefix_value("abc"), 0);
    EXPECT_EQ(int_prefix_value("- 5"), 0);
    EXPECT_EQ(int_prefix_value("2147483647"), INT_MAX);
    EXPECT_EQ(int_prefix_value("-2147483648"), INT_MIN);
    EXPECT_EQ(int_prefix_value("2147483648"), INT_MAX);
    EXPECT_EQ(int_prefix_value("-99999999999999999999999999"), INT_MIN);

    const IniFile file = parse_ini("[G]\nempty=\nword=yes\n");
    const IniGroup* g = ini_group(file, "G");
    EXPECT_EQ(ini_int(file, g, "empty", 9), 0); // present but not a number reads as 0
    EXPECT_EQ(ini_int(file, g, "word", 9), 0);
    EXPECT_EQ(ini_int(file, g, "missing", 9), 9);
}

TEST(IniFile, NumberTextValues) {
    EXPECT_EQ(number_text_value("$32b450"), 0x32B450u);
    EXPECT_EQ(number_text_value(" \t$FFfFfF"), 0xFFFFFFu);
    EXPECT_EQ(number_text_value("%101"), 5u);
    EXPECT_EQ(number_text_value("%102"), 2u);
    EXPECT_EQ(number_text_value("255"), 255u);
    EXPECT_EQ(number_text_value("12ab"), 12u);
    EXPECT_EQ(number_text_value("-$1"), 0xFFFFFFFFu);
    EXPECT_EQ(number_text_value("$"), 0u);
    EXPECT_EQ(number_text_value("zz"), 0u);
    EXPECT_EQ(number_text_value("$123456789ABCDEF0123"), 0xFFFFFFFFu);
    EXPECT_EQ(number_text_value("99999999999999999999999"), 0xFFFFFFFFu);
}

TEST(IniFile, WriterShape) {
    IniWriter w;
    ini_write_group(w, "A");
    ini_write_comment(w, "note");
    ini_write_int(w, "n", -3);
    ini_write_text(w, "t", "");
    ini_write_group(w, "B");
    ini_write_text(w, "inject", "x\r\n[A]\nn=1");
    EXPECT_EQ(w.text, "[A]\r\n; note\r\nn = -3\r\nt = \r\n\r\n[B]\r\ninject = x[A]n=1\r\n");
    const IniFile back = parse_ini(w.text);
    EXPECT_EQ(ini_int(back, ini_group(back, "A"), "n", 0), -3);
    EXPECT_EQ(back.groups.size(), 2u);
}

TEST(IniFile, GarbageAndHugeInputLoadSafely) {
    std::mt19937 random(7);
    std::string garbage(10u << 20, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const IniFile file = parse_ini(garbage);
    for (const IniGroup& group : file.groups) ASSERT_LE(group.entries_end, file.entries.size());
    EXPECT_EQ(ini_value(file, ini_group(file, "Windows"), "MainX"), std::nullopt);

    // Millions of short lines, many duplicate keys, one group.
    std::string lines = "[G]\n";
    while (lines.size() < (10u << 20)) lines += "k=1\nk=2\n=\n[\n";
    lines += "[H]\nlast = yes\n";
    const IniFile many = parse_ini(lines);
    EXPECT_EQ(ini_value(many, ini_group(many, "G"), "k"), "1");
    EXPECT_EQ(ini_value(many, ini_group(many, "H"), "last"), "yes");
}
