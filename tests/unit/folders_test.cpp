// Tests of the folder rules, the hand-over message and the About text.
#include "app/about_text.h"
#include "app/hand_over.h"
#include "base/folders.h"

#include <gtest/gtest.h>

#include <climits>

using namespace std::string_literals;

TEST(Folders, PathParts) {
    EXPECT_EQ(folder_of("/home/u/a.bas"), "/home/u/");
    EXPECT_EQ(folder_of("C:\\x\\a.bas"), "C:\\x\\");
    EXPECT_EQ(folder_of("a.bas"), "");
    EXPECT_EQ(file_name_of("/home/u/a.bas"), "a.bas");
    EXPECT_EQ(file_name_of("/home/u/"), "");
    EXPECT_EQ(with_separator("/home/u"), "/home/u/");
    EXPECT_EQ(with_separator("/home/u/"), "/home/u/");
    EXPECT_EQ(with_separator(""), "/");
}

TEST(Folders, PathsAreMadeAbsoluteAndClean) {
    EXPECT_EQ(absolute_clean_path("prog.bas", "/home/u/work"), "/home/u/work/prog.bas");
    EXPECT_EQ(absolute_clean_path("docs/", "/home/u"), "/home/u/docs/");
    EXPECT_EQ(absolute_clean_path("./a/../b//c.bas", "/w/"), "/w/b/c.bas");
    EXPECT_EQ(absolute_clean_path("../../../../x", "/a/b"), "/x");
    EXPECT_EQ(absolute_clean_path("/abs//p/./q", "/ignored"), "/abs/p/q");
    EXPECT_EQ(absolute_clean_path("x.bas ", "/w"), "/w/x.bas "); // blanks belong to the name
    EXPECT_EQ(absolute_clean_path(".", "/w/f"), "/w/f/");
    EXPECT_EQ(absolute_clean_path("..", "/"), "/");
    EXPECT_EQ(absolute_clean_path("", "/w"), "");
    EXPECT_EQ(absolute_clean_path("C:\\x\\a.bas", "/w"), "C:\\x\\a.bas");
    EXPECT_EQ(absolute_arguments({"a", "/b"}, "/w"), (std::vector<std::string>{"/w/a", "/b"}));
}

TEST(Folders, PortableAndPerUser) {
    Folders f =
        make_folders("/opt/zell/", true, "/home/u/.local/share/zelledit/", "/home/u/Documents");
    EXPECT_TRUE(f.portable);
    EXPECT_EQ(f.data, "/opt/zell/data/");
    EXPECT_EQ(f.current, "/home/u/Documents/");
    EXPECT_EQ(f.include, f.current);
    EXPECT_EQ(f.settings_path, "/opt/zell/data/Zelledit2.inf");

    f = make_folders("/opt/zell", false, "/home/u/.local/share/zelledit/", "");
    EXPECT_FALSE(f.portable);
    EXPECT_EQ(f.program, "/opt/zell/");
    EXPECT_EQ(f.data, "/home/u/.local/share/zelledit/");
    EXPECT_EQ(f.keyword_path, "/home/u/.local/share/zelledit/Zellcmndlist.dat");
    EXPECT_EQ(f.intro_path, "/home/u/.local/share/zelledit/newfile.txt");
    EXPECT_EQ(f.current, "/");
}

TEST(Folders, VersionAndCommandLine) {
    EXPECT_EQ(os_version_text("Linux", 6, 1), "Linux 601");
    EXPECT_EQ(os_version_text("Win", 0, 0), "Win 0");
    EXPECT_EQ(os_version_text("X", INT_MAX, INT_MAX), "X 216895848347"); // no overflow
    EXPECT_EQ(command_line_list({}), "");
    EXPECT_EQ(command_line_list({"A", "B c"}), "\nA\nB c");
}

TEST(HandOver, DecodeIsBoundedAndTrimmed) {
    EXPECT_EQ(decode_hand_over(""), "");
    EXPECT_EQ(decode_hand_over("\n/x.bas "), "\n/x.bas "); // a name's own blank stays
    EXPECT_EQ(decode_hand_over("\n /a\n/b  "), "\n /a\n/b  ");
    EXPECT_EQ(decode_hand_over("\n/a\0\n/evil"s), "\n/a");
    EXPECT_EQ(decode_hand_over("\0\n/a"s), "");
    const std::string huge(hand_over_cap + 500, 'x');
    EXPECT_EQ(decode_hand_over(huge).size(), hand_over_cap);
}

TEST(HandOver, EncodeKeepsWholePaths) {
    EXPECT_EQ(encode_hand_over(""), "");
    EXPECT_EQ(encode_hand_over("\n/a\n/b"), "\n/a\n/b");
    std::string list;
    while (list.size() < hand_over_cap + 100) list += "\n/some/folder/file.bas";
    const std::string sent = encode_hand_over(list);
    EXPECT_LE(sent.size(), hand_over_cap);
    EXPECT_TRUE(list.starts_with(sent));
    EXPECT_EQ(list[sent.size()], '\n');
    EXPECT_EQ(decode_hand_over(sent), sent);
    EXPECT_EQ(encode_hand_over(std::string(hand_over_cap + 1, 'x')), "");
}

TEST(AboutText, ExactText) {
    const AboutValues v{"V0.9", "Linux 601", "/opt/zell/", "/opt/zell/data/", "/home/u/", "/inc/"};
    EXPECT_EQ(about_text(v), "Version: V0.9  OS Ver: Linux 601\n"
                             "Program folder: /opt/zell/\rData folder: /opt/zell/data/\r"
                             "File folder: /home/u/\rInclude file folder: /inc/\r"
                             "Contact: zelledit@users.noreply.invalid\r"
                             "Website: https://zelledit.invalid");
}
