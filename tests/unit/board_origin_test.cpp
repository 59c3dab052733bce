// The record kept beside a board file's working copy, and how the board's listing is compared
// with it before the copy is sent back.
#include "boardfiles/board_names.h"
#include "boardfiles/board_origin.h"

#include <gtest/gtest.h>

TEST(BoardOrigin, RecordSurvivesWritingAndReadingAndBadRecordsNameNoBoardFile) {
    const BoardOrigin origin{"PicoMiteVGA", "B:/games/snake.bas", "05-03-2024", "14:07", 1234};
    std::optional<BoardOrigin> back = parse_origin(format_origin(origin));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->device, "PicoMiteVGA");
    EXPECT_EQ(back->path, "B:/games/snake.bas");
    EXPECT_EQ(back->date, "05-03-2024");
    EXPECT_EQ(back->time, "14:07");
    EXPECT_EQ(back->size, 1234);
    EXPECT_EQ(origin_caption(*back), "B:/games/snake.bas on PicoMiteVGA");

    struct Case {
        const char* text;
        bool board_file;
        std::int64_t size;
    } cases[] = {
        {"path=A:/x.bas\r\nsize=12\r\nlater=kept out\r\n", true, 12},
        {"path=A:/x.bas\nsize=12kB\n", true, -1}, // a size that is no number is not trusted
        {"path=A:/x.bas", true, -1},
        {"path=x.bas\n", false, -1},     // no drive
        {"path=A:/games/\n", false, -1}, // no name
        {"", false, -1},
        {"\xff\xfe garbage", false, -1},
    };
    for (const Case& c : cases) {
        std::optional<BoardOrigin> read = parse_origin(c.text);
        EXPECT_EQ(read.has_value(), c.board_file) << c.text;
        if (read) EXPECT_EQ(read->size, c.size) << c.text;
    }
    EXPECT_EQ(origin_record_path("/d/boards/P/B/games/snake.bas"),
              "/d/boards/P/B/games/.snake.bas.board");
}

TEST(BoardOrigin, BoardPathsSplitIntoDriveFolderAndName) {
    struct Case {
        const char* path;
        bool ok;
        const char* drive;
        const char* folder;
        const char* name;
    } cases[] = {
        {"B:/games/snake.bas", true, "B:", "/games", "snake.bas"},
        {"A:/snake.bas", true, "A:", "/", "snake.bas"},
        {"A:/a/b c/d.txt", true, "A:", "/a/b c", "d.txt"},
        {"A:snake.bas", false, "", "", ""},
        {"A:/", false, "", "", ""},
    };
    for (const Case& c : cases) {
        std::string drive, folder, name;
        ASSERT_EQ(split_board_path(c.path, drive, folder, name), c.ok) << c.path;
        if (!c.ok) continue;
        EXPECT_EQ(drive, c.drive);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
    }
}

TEST(BoardOrigin, TheBoardsFileIsFoundByItsDrivesRulesAndChangesAreNoticed) {
    BoardListing card;
    card.folder = "B:/games";
    card.entries = {{"SNAKE.BAS", true, 0, "", ""},
                    {"Snake.bas", false, 40, "14:07", "05-03-2024"}};
    BoardListing flash = card;
    flash.folder = "A:/games";
    // The SD card's FAT ignores case; the flash drive does not. A folder is never the file.
    ASSERT_NE(find_listed_file(card, "snake.bas"), nullptr);
    EXPECT_EQ(find_listed_file(card, "snake.bas")->name, "Snake.bas");
    EXPECT_EQ(find_listed_file(flash, "snake.bas"), nullptr);
    EXPECT_NE(find_listed_file(flash, "Snake.bas"), nullptr);

    const BoardOrigin fetched{"PicoMite", "B:/games/Snake.bas", "05-03-2024", "14:07", 40};
    const BoardEntry& now = card.entries[1];
    EXPECT_FALSE(board_copy_changed(fetched, now));
    for (auto change :
         {+[](BoardEntry& e) { e.size = 41; }, +[](BoardEntry& e) { e.time = "14:08"; },
          +[](BoardEntry& e) { e.date = "06-03-2024"; }}) {
        BoardEntry other = now;
        change(other);
        EXPECT_TRUE(board_copy_changed(fetched, other));
    }
    BoardOrigin unknown = fetched;
    unknown.size = -1; // a record whose listing was not seen: always asks
    EXPECT_TRUE(board_copy_changed(unknown, now));
}

TEST(BoardNames, NamesDifferingOnlyInCaseStayApart) {
    struct Case {
        std::vector<std::string> names, kept;
    } cases[] = {
        {{"a.bas", "b.bas"}, {"a.bas", "b.bas"}},
        {{"Snake.bas", "snake.bas", "SNAKE.BAS"}, {"Snake.bas", "snake (2).bas", "SNAKE (3).BAS"}},
        // A made name never takes another entry's name.
        {{"a.bas", "A.bas", "a (2).bas"}, {"a.bas", "A (3).bas", "a (2).bas"}},
        {{"Games", "games", ".x", ".X"}, {"Games", "games (2)", ".x", ".X (2)"}},
    };
    for (const Case& c : cases) EXPECT_EQ(case_distinct_names(c.names), c.kept);
}
