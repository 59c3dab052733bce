// Tests of the settings file: reading by hand-written files, writing its exact shape, round trip.
#include "base/settings_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

Settings read(std::string_view text) {
    Settings s;
    read_settings(text, s);
    return s;
}

bool same(const Settings& a, const Settings& b) {
    return settings_file_text(a) == settings_file_text(b) && a.open_file_list == b.open_file_list &&
           a.saved_file_count == b.saved_file_count;
}

} // namespace

TEST(SettingsFile, ColourText) {
    EXPECT_EQ(colour_to_text(0x0050B432), "$50B432");
    EXPECT_EQ(colour_to_text(0), "$000000");
    EXPECT_EQ(colour_to_text(0xAB123456), "$123456");
    EXPECT_EQ(colour_from_text("$32b450"), 0x0032B450u);
    EXPECT_EQ(colour_from_text("-1"), 0xFFFFFFu);
}

TEST(SettingsFile, HandWrittenValues) {
    const Settings s = read("[WINDOWS]\nmainx=300\n  PrefsTab = 2 \n"
                            "[Colours]\nKeyword = $32b450\nComment=%11\nNumber = 255\nString =\n"
                            "[Options]\nInent_Labels = 0\nTabsize = -4\nColour = on\n"
                            "[Folders]\nUserFolder = \t\nIncludeFolder = /inc \n"
                            "[Serial]\ncomport =  /dev/ttyUSB0 \nSerialSpeed = 99999999999\n");
    EXPECT_EQ(s.main.x, 300);
    EXPECT_EQ(s.main.y, 100);
    EXPECT_EQ(s.prefs.extra, 2);
    EXPECT_EQ(s.colour(ColourItem::Keyword), 0x32B450u);
    EXPECT_EQ(s.colour(ColourItem::Comment), 3u);
    EXPECT_EQ(s.colour(ColourItem::Number), 255u);
    EXPECT_EQ(s.colour(ColourItem::String), 0u); // present but empty
    EXPECT_EQ(s.colour(ColourItem::Label), 0xFF00CCu);
    EXPECT_EQ(s.options.indent_labels, 0);
    EXPECT_EQ(s.options.tab_size, -4);
    EXPECT_EQ(s.options.colour, 0);
    EXPECT_EQ(s.options.upper_case, 1);
    EXPECT_EQ(s.user_folder, "");
    EXPECT_EQ(s.include_folder, "/inc/");
    EXPECT_EQ(s.comport, "/dev/ttyUSB0");
    EXPECT_EQ(s.serial_speed, INT_MAX);

    const std::string text = settings_file_text(s);
    EXPECT_NE(text.find("[Windows]\r\n; Main Window\r\nMainX = 300\r\n"), std::string::npos);
    EXPECT_NE(text.find("Keyword = $32B450\r\n"), std::string::npos);
}

TEST(SettingsFile, EmptyFoldersKeepValuesAlreadySet) {
    Settings s;
    s.user_folder = "/docs/";
    read_settings("[Folders]\nUserFolder =\n", s);
    EXPECT_EQ(s.user_folder, "/docs/");
}

TEST(SettingsFile, MissingOrGarbageFileGivesDefaults) {
    const Settings defaults;
    EXPECT_TRUE(same(read(""), defaults));
    EXPECT_TRUE(same(read("[Windows]\nno equals sign here\n[Options]\n"), defaults));

    std::mt19937 random(11);
    std::string garbage(10u << 20, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 64 == 0 ? '\n' : random());
    Settings s;
    read_settings(garbage, s);
    EXPECT_TRUE(same(s, defaults));
}

TEST(SettingsFile, OpenFileList) {
    Settings s = read("[Open Files]\nFile Count = 2\nFile1 = /a.bas\nFILE2= /b c.bas \n");
    EXPECT_EQ(s.open_file_list, "\n/a.bas\n/b c.bas");
    EXPECT_EQ(s.saved_file_count, 2);

    // A missing number leaves an empty field; the count is kept.
    s = read("[Open Files]\nFile Count = 3\nFile1 = /a\nFile3 = /c\n");
    EXPECT_EQ(s.open_file_list, "\n/a\n\n/c");
    EXPECT_EQ(s.saved_file_count, 3);

    s = read("[Open Files]\nFile Count = -5\nFile1 = /a\n");
    EXPECT_EQ(s.open_file_list, "");
    EXPECT_EQ(s.saved_file_count, 0);

    s = read("[Open Files]\nFile1 = /a\n");
    EXPECT_EQ(s.open_file_list, "");
    EXPECT_EQ(s.saved_file_count, 0);
}

TEST(SettingsFile, HugeFileCountStaysSmall) {
    Settings s = read("[Open Files]\nFile Count = 1000000\nFile1 = /a\nFile2 = /b\n"
                      "File900000 = /far\nFile01 = /padded\nFile2000000 = /beyond\n");
    EXPECT_EQ(s.saved_file_count, 1000000);
    EXPECT_LT(s.open_file_list.size(), 100u);
    EXPECT_EQ(split_open_file_list(s.open_file_list),
              (std::vector<std::string>{"/a", "/b", "/far"}));

    s = read("[Open Files]\nFile Count = 99999999999\nFile1 = /a\n");
    EXPECT_EQ(s.saved_file_count, INT_MAX);
    EXPECT_EQ(split_open_file_list(s.open_file_list), std::vector<std::string>{"/a"});
}

TEST(SettingsFile, WrittenShape) {
    Settings s;
    s.open_file_list = "/x/A.bas\n/y/B.bas\n";
    const std::string text = settings_file_text(s);
    EXPECT_TRUE(text.starts_with("[Windows]\r\n; Main Window\r\nMainX = 100\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n\r\n[Serial]\r\ncomport = com7\r\nSerialSpeed = 9600\r\n"
                               "CharDelay = 0\r\nLineDelay = 0\r\n\r\n[Device]\r\nUsed = 0\r\n"
                               "TerminalHeight = 220\r\nSendByXmodem = 0\r\nRunAfterSend = 1\r\n"
                               "SetClockOnConnect = 0\r\n"
                               "Interpreter = \r\nMaximiteSyntax = 1\r\n"
                               "LabelListSorted = 0\r\nLabelListSized = 0\r\n"
                               "LabelListOutline = 0\r\n"));
    EXPECT_NE(text.find("PrefsTab = 0\r\n\r\n[Colours]\r\nDefault_fore = $000000\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Foldmarker_back = $000000\r\n\r\n[Options]\r\nUse_last_settings = 1"),
              std::string::npos);
    EXPECT_NE(text.find("Inent_Labels = 1\r\nTabsize = 2\r\nScroll_Margin = 10\r\n\r\n"
                        "[Preferences]\r\nConfirm before Exit = 1\r\nOpen blank file = 0\r\n\r\n"
                        "[Open Files]\r\nFile Count = 2\r\nFile1 = /x/A.bas\r\nFile2 = /y/B.bas\r\n"
                        "\r\n[Folders]\r\nUserFolder = \r\nIncludeFolder = \r\n\r\n[Network]\r\n"
                        "Port = 6832\r\nMaxClients = 1\r\n\r\n[Serial]"),
              std::string::npos);
    // No bare LF anywhere, and no doubled empty lines.
    for (std::size_t i = 1; i < text.size(); ++i)
        ASSERT_TRUE(text[i] != '\n' || text[i - 1] == '\r') << i;
    EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos);

    // The list saved at shutdown comes back in the loaded form.
    EXPECT_EQ(read(text).open_file_list, "\n/x/A.bas\n/y/B.bas");
}

TEST(SettingsFile, RoundTrip) {
    const Settings defaults;
    Settings back = read(settings_file_text(defaults));
    EXPECT_TRUE(same(back, defaults));

    Settings changed;
    changed.main = {-20, 30, 1000, 700, 600};
    changed.colour(ColourItem::Bookmark) = 0x123ABC;
    changed.options.line_endings_mode = 1;
    changed.user_folder = "/home/u/progs/";
    changed.comport = "/dev/ttyACM0";
    changed.port = INT_MIN;
    changed.label_list_sorted = 1;
    changed.label_list_sized = 1;
    changed.label_list_outline = 1;
    back = read(settings_file_text(changed));
    EXPECT_EQ(settings_file_text(back), settings_file_text(changed));
}

TEST(SettingsFile, SplitOpenFileList) {
    EXPECT_EQ(split_open_file_list("\nA\nB"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(split_open_file_list("A\nB\n"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(split_open_file_list("\n\n"), std::vector<std::string>{});
}
