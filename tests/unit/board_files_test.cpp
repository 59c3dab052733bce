// The board file operations against the simulated board on a simulated clock: listings,
// uploads and downloads with awkward names and sizes, the board's refusals, and boards that
// vanish or fill up mid-transfer.
#include "base/file_io.h"
#include "boardfiles/board_listing.h"
#include "boardfiles/board_names.h"
#include "boardfiles/board_queue.h"
#include "support/board_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;
using Kind = BoardRequest::Kind;

namespace {

struct Folder {
    fs::path path;
    Folder() {
        static int count = 0;
        path = fs::temp_directory_path() /
               ("zell-boardfiles-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

std::string bytes_of_size(std::size_t size, unsigned seed) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 9)) & 0xFF);
    return data;
}

// Joins queue and board one millisecond at a time until the queue is idle; `during` may
// disturb the board on the way. Returns the outcomes.
std::vector<BoardOutcome> run(BoardQueue& queue, BoardModel& board, std::int64_t& now,
                              const std::function<void(std::int64_t)>& during = {}) {
    std::vector<BoardOutcome> outcomes;
    queue.receive(board.start(), now);
    const std::int64_t limit = now + 2'000'000;
    while (!queue.idle() && now < limit) {
        queue.tick(now);
        std::string out = queue.take_output();
        std::string answer = board.receive(out, now);
        answer += board.tick(now);
        queue.receive(answer, now);
        if (during) during(now);
        ++now;
    }
    for (BoardOutcome& outcome : queue.take_outcomes()) outcomes.push_back(std::move(outcome));
    return outcomes;
}

BoardRequest request(Kind kind, std::string name = {}, std::string local = {}) {
    BoardRequest r;
    r.kind = kind;
    r.name = std::move(name);
    r.local = std::move(local);
    return r;
}

} // namespace

TEST(BoardFiles, NamesAreTypedAsExpressionsTheBoardTakes) {
    struct Case {
        std::string name, typed;
    } cases[] = {
        {"snake.bas", "\"snake.bas\""},
        {"my game.bas", "\"my game.bas\""},
        {"say \"hi\".txt", "\"say \"+CHR$(34)+\"hi\"+CHR$(34)+\".txt\""},
        {"\"", "CHR$(34)"},
        {"caf\xc3\xa9", "\"caf\"+CHR$(195)+CHR$(169)"},
        {"", "\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board_string(c.name), c.typed);
        EXPECT_EQ(board_string_value(c.typed).value_or("?"), c.name);
    }
}

TEST(BoardFiles, DownloadsKeepTheListedSizeAndTextLosesOnlyBlockPadding) {
    std::string padded = "PRINT 1\r\n" + std::string(119, '\x1a');
    EXPECT_EQ(cut_download(padded, 128, "a.bas"), "PRINT 1\r\n");
    EXPECT_EQ(cut_download(padded, 128, "a.bin"), padded);
    EXPECT_EQ(cut_download(padded + std::string(128, '\0'), 128, "a.bin"), padded);
    EXPECT_EQ(cut_download(std::string(100, 'x') + std::string(28, '\0'), 100, "a.bas"),
              std::string(100, 'x'));
    EXPECT_EQ(cut_download(padded, -1, "a.bas"), padded);
}

TEST(BoardFiles, AFileThatGrewSinceItWasListedIsNotCut) {
    const struct {
        std::string data;
        std::int64_t listed;
        bool only_padding;
    } cases[] = {
        {"PRINT 1\r\n" + std::string(119, '\x1a'), 9, true},
        {std::string(100, 'x') + std::string(28, '\0'), 100, true},
        {std::string(128, 'x'), 128, true},
        {std::string(140, 'x') + std::string(116, '\x1a'), 128, false}, // 12 bytes written since
        {"abc", -1, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(only_padding_past(c.data, c.listed), c.only_padding) << c.data.size();
}

TEST(BoardFiles, OnlyPlainNamesBecomeLocalFiles) {
    for (const char* name : {"snake.bas", "my game.bas", "caf\xc3\xa9.bas", ".hidden"})
        EXPECT_TRUE(safe_local_name(name)) << name;
    for (const char* name : {"", ".", "..", "../x.bas", "..\\..\\x.bat", "C:x", "a\tb"})
        EXPECT_FALSE(safe_local_name(name)) << name;
}

TEST(BoardFiles, AwkwardNamesGoUpListAndComeBackByteForByte) {
    Folder local;
    const std::vector<std::string> names = {"my game.bas", "say \"hi\".bas", "caf\xc3\xa9.bas",
                                            "data.bin"};
    std::map<std::string, std::string> sent;
    BoardModel board;
    BoardQueue queue;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string bytes = bytes_of_size(300 + i * 77, static_cast<unsigned>(i));
        if (names[i].ends_with(".bas")) bytes = "PRINT \"" + std::to_string(i) + "\"\r\n";
        sent[names[i]] = bytes;
        ASSERT_TRUE(write_file_safely(local.file("up" + std::to_string(i)), bytes).ok);
        queue.add(request(Kind::upload, names[i], local.file("up" + std::to_string(i))));
    }
    queue.add(request(Kind::list));
    std::int64_t now = 0;
    std::vector<BoardOutcome> outcomes = run(queue, board, now);
    ASSERT_EQ(outcomes.size(), names.size() + 1);
    for (const BoardOutcome& o : outcomes) ASSERT_TRUE(o.ok) << o.request.name << ": " << o.failure;
    const BoardListing& listing = outcomes.back().listing;
    EXPECT_EQ(listing.folder, "A:/");
    ASSERT_EQ(listing.entries.size(), names.size());
    for (const BoardEntry& entry : listing.entries) {
        ASSERT_TRUE(sent.count(entry.name)) << entry.name;
        EXPECT_EQ(entry.size % 128, 0); // stored in whole blocks
        EXPECT_EQ(board.files()[entry.name].substr(0, sent[entry.name].size()), sent[entry.name]);
        BoardRequest down = request(Kind::download, entry.name, local.file("down-" + entry.name));
        down.size = entry.size;
        queue.add(down);
    }
    outcomes = run(queue, board, now);
    for (const BoardOutcome& o : outcomes) {
        ASSERT_TRUE(o.ok) << o.failure;
        ReadResult got = read_whole_file(o.request.local);
        // Text comes back as it went; a binary file as the board holds it, to the byte.
        EXPECT_EQ(got.bytes, o.request.name.ends_with(".bas") ? sent[o.request.name]
                                                              : board.files()[o.request.name]);
    }
    EXPECT_TRUE(board.at_prompt());
}

TEST(BoardFiles, FolderOf500EntriesIsListedThroughEveryPauseOnBothDrives) {
    BoardConfig config;
    config.card = true;
    BoardModel board(config);
    for (char drive : {'A', 'B'}) {
        BoardDrive& d = board.drives().drive(drive);
        for (int i = 0; i < 20; ++i) d.folders.insert("dir" + std::to_string(i));
        for (int i = 0; i < 480; ++i)
            d.files["f" + std::to_string(1000 + i) + ".bas"] = std::string(i, 'x');
    }
    BoardQueue queue;
    queue.add(request(Kind::list));
    queue.add(request(Kind::drive, "B:"));
    queue.add(request(Kind::list));
    std::int64_t now = 0;
    std::vector<BoardOutcome> outcomes = run(queue, board, now);
    ASSERT_EQ(outcomes.size(), 3u);
    for (std::size_t at : {0u, 2u}) {
        ASSERT_TRUE(outcomes[at].ok) << outcomes[at].failure;
        const BoardListing& listing = outcomes[at].listing;
        ASSERT_EQ(listing.entries.size(), 500u);
        EXPECT_TRUE(listing.entries[19].folder);
        EXPECT_FALSE(listing.entries[20].folder);
        EXPECT_EQ(listing.entries[20].name, "f1000.bas");
        EXPECT_EQ(listing.entries[499].size, 479);
        EXPECT_EQ(listing.entries[499].date, "05-03-2024");
        EXPECT_EQ(listing.files, 480);
    }
    EXPECT_EQ(outcomes[0].listing.folder, "A:/");
    EXPECT_EQ(outcomes[0].listing.directories, 22); // "." and ".." count on the flash drive
    EXPECT_GT(outcomes[0].listing.free_bytes, 0);
    EXPECT_EQ(outcomes[2].listing.folder, "B:/");
    EXPECT_EQ(outcomes[2].listing.free_bytes, -1);
    EXPECT_TRUE(board.at_prompt());
}

TEST(BoardFiles, RefusalsComeBackInTheBoardsWords) {
    BoardModel board; // no card
    board.files()["old.bas"] = "x";
    BoardRequest rename = request(Kind::rename, "old.bas");
    rename.new_name = "new name.bas";
    BoardRequest taken = request(Kind::rename, "missing.bas");
    taken.new_name = "x.bas";
    struct Case {
        BoardRequest request;
        std::string failure; // empty: it succeeds
    } cases[] = {
        {request(Kind::mkdir, "my games"), ""},
        {request(Kind::chdir, "my games"), ""},
        {request(Kind::chdir, ".."), ""},
        {request(Kind::mkdir, "my games"), "Entry already exists"},
        {rename, ""},
        {taken, "Could not find the file"},
        {request(Kind::kill, "new name.bas"), ""},
        {request(Kind::kill, "new name.bas"), "Could not find the file"},
        {request(Kind::chdir, "nowhere"), "Could not find the path"},
        {request(Kind::drive, "B:"), "B: drive not enabled"},
        {request(Kind::download, "nothing.bin", "/nonexistent/x"), "Could not find the file"},
        {request(Kind::line, "PRINT CWD$"), ""},
    };
    BoardQueue queue;
    queue.keep_going = true;
    for (const Case& c : cases) queue.add(c.request);
    std::int64_t now = 0;
    std::vector<BoardOutcome> outcomes = run(queue, board, now);
    ASSERT_EQ(outcomes.size(), std::size(cases));
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        SCOPED_TRACE(board_command(cases[i].request));
        EXPECT_EQ(outcomes[i].ok, cases[i].failure.empty()) << outcomes[i].failure;
        EXPECT_NE(outcomes[i].failure.find(cases[i].failure), std::string::npos);
    }
    EXPECT_EQ(outcomes.back().lines, std::vector<std::string>{"A:/"});
    EXPECT_TRUE(board.drives().drive('A').folders.count("my games"));
    EXPECT_TRUE(board.files().empty());
}

TEST(BoardFiles, TwoMegabyteFileGoesToTheCardAndBack) {
    Folder local;
    const std::string bytes = bytes_of_size(2 * 1024 * 1024 + 77, 3);
    ASSERT_TRUE(write_file_safely(local.file("big.bin"), bytes).ok);
    BoardConfig config;
    config.card = true;
    BoardModel board(config);
    BoardQueue queue;
    queue.add(request(Kind::drive, "B:"));
    queue.add(request(Kind::upload, "big.bin", local.file("big.bin")));
    std::int64_t now = 0;
    for (const BoardOutcome& o : run(queue, board, now)) ASSERT_TRUE(o.ok) << o.failure;
    const std::string& stored = board.drives().drive('B').files["big.bin"];
    ASSERT_EQ(stored.substr(0, bytes.size()), bytes);
    BoardRequest down = request(Kind::download, "BIG.BIN", local.file("back.bin"));
    down.size = static_cast<std::int64_t>(bytes.size()); // as if the board held it exactly
    queue.add(down);
    for (const BoardOutcome& o : run(queue, board, now)) ASSERT_TRUE(o.ok) << o.failure;
    EXPECT_EQ(read_whole_file(local.file("back.bin")).bytes, bytes);
}

TEST(BoardFiles, VanishingBoardLeavesNoFileAndKeepsTheOldOne) {
    Folder local;
    ASSERT_TRUE(write_file_safely(local.file("keep.bin"), "old contents").ok);
    BoardModel board;
    board.files()["keep.bin"] = bytes_of_size(40000, 1);
    for (Kind kind : {Kind::download, Kind::upload}) {
        BoardQueue queue;
        BoardRequest r = request(kind, "keep.bin", local.file("keep.bin"));
        if (kind == Kind::upload) r.name = "other.bin";
        queue.add(r);
        queue.add(request(Kind::list)); // dropped after the failure
        BoardModel board_copy = board;
        std::int64_t now = 0;
        std::vector<BoardOutcome> outcomes = run(queue, board_copy, now, [&](std::int64_t t) {
            if (t == 40) board_copy.vanish();
        });
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_FALSE(outcomes[0].ok);
        EXPECT_NE(outcomes[0].failure.find("XMODEM"), std::string::npos) << outcomes[0].failure;
        EXPECT_FALSE(board_copy.files().count("other.bin"));
    }
    EXPECT_EQ(read_whole_file(local.file("keep.bin")).bytes, "old contents");
    for (const auto& entry : fs::directory_iterator(local.path))
        EXPECT_EQ(entry.path().filename(), "keep.bin");
}

TEST(BoardFiles, FullDriveStopsTheUploadAndTheBoardIsUsableAfter) {
    Folder local;
    ASSERT_TRUE(write_file_safely(local.file("huge.bin"), bytes_of_size(700000, 2)).ok);
    BoardModel board;
    BoardQueue queue;
    queue.keep_going = true;
    queue.add(request(Kind::upload, "huge.bin", local.file("huge.bin")));
    queue.add(request(Kind::list));
    std::int64_t now = 0;
    std::vector<BoardOutcome> outcomes = run(queue, board, now);
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_FALSE(outcomes[0].ok);
    EXPECT_NE(outcomes[0].failure.find("Disk full"), std::string::npos) << outcomes[0].failure;
    ASSERT_TRUE(outcomes[1].ok) << outcomes[1].failure;
    EXPECT_TRUE(outcomes[1].listing.entries.empty());
    EXPECT_FALSE(board.files().count("huge.bin"));
}

TEST(BoardFiles, CommandTooLongForThePromptIsRefusedBeforeTyping) {
    BoardModel board;
    BoardQueue queue;
    queue.add(request(Kind::kill, std::string(40, '\xe9'))); // each byte typed as CHR$(233)
    std::int64_t now = 0;
    std::vector<BoardOutcome> outcomes = run(queue, board, now);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].ok);
    EXPECT_NE(outcomes[0].failure.find("254"), std::string::npos);
}

TEST(BoardFiles, ProgramMemoryIsFetchedWithoutItsPadding) {
    for (auto firmware : {BoardConfig::Firmware::v6_00_03, BoardConfig::Firmware::v6_03}) {
        BoardConfig config;
        config.firmware = firmware;
        BoardModel board(config);
        board.set_program("PRINT \"a\"\rPRINT \"b\"\r");
        BoardQueue queue;
        queue.add(request(Kind::fetch_program));
        std::int64_t now = 0;
        std::vector<BoardOutcome> outcomes = run(queue, board, now);
        ASSERT_EQ(outcomes.size(), 1u);
        ASSERT_TRUE(outcomes[0].ok) << outcomes[0].failure;
        EXPECT_EQ(outcomes[0].data, firmware == BoardConfig::Firmware::v6_03
                                        ? "PRINT \"a\"\r\nPRINT \"b\"\r"
                                        : "PRINT \"a\"\r\nPRINT \"b\"\r\n");
    }
}
