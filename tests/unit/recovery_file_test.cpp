// Recovery files: the format survives any bytes, damaged files are never taken, and only files
// of processes that are gone are offered.
#include "documents/recovery_file.h"

#include "base/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

RecoveryEntry sample() {
    RecoveryEntry entry;
    entry.pid = 4321;
    entry.time = 1765000000;
    entry.path = "/home/u/dir with space/prog.bas";
    entry.text = std::string("10 PRINT \"caf\xE9\"\r\n\0\nEND", 23);
    return entry;
}

void expect_same(const RecoveryEntry& a, const RecoveryEntry& b) {
    EXPECT_EQ(a.pid, b.pid);
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.untitled, b.untitled);
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.text, b.text);
}

} // namespace

TEST(RecoveryFile, RoundTripKeepsEveryByte) {
    RecoveryEntry entry = sample();
    std::optional<RecoveryEntry> back = parse_recovery(encode_recovery(entry));
    ASSERT_TRUE(back);
    expect_same(*back, entry);

    entry.untitled = true;
    entry.text.clear();                               // a modified document can be empty
    entry.path = "/p/untitled.bas\nZellRecovery 1\n"; // header-like bytes in the path
    back = parse_recovery(encode_recovery(entry));
    ASSERT_TRUE(back);
    expect_same(*back, entry);
}

TEST(RecoveryFile, DamagedFilesAreRefused) {
    const std::string good = encode_recovery(sample());
    EXPECT_FALSE(parse_recovery(""));
    EXPECT_FALSE(parse_recovery("hello"));
    // Every cut short version, down to the bare header.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(parse_recovery(std::string_view(good).substr(0, size))) << size;
    EXPECT_FALSE(parse_recovery(good + "x")); // longer than written
    // One changed byte anywhere: in the header it breaks a field, in path or text the checksum.
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string altered = good;
        altered[at] = static_cast<char>(altered[at] ^ 0x01);
        std::optional<RecoveryEntry> parsed = parse_recovery(altered);
        if (parsed) { // only a digit of pid or time can change and still parse
            EXPECT_EQ(parsed->path, sample().path) << at;
            EXPECT_EQ(parsed->text, sample().text) << at;
        }
    }
}

TEST(RecoveryFile, OffersOnlyIntactFilesOfProcessesThatAreGone) {
    auto file = [](const std::string& name, long pid, std::int64_t time) {
        RecoveryEntry entry = sample();
        entry.pid = pid;
        entry.time = time;
        entry.path = "/x/" + name;
        return RecoveryFile{"/r/" + name, entry};
    };
    std::vector<RecoveryFile> files = {
        file("b.bas", 10, 200),                // writer gone
        file("live.bas", 20, 100),             // another running instance
        RecoveryFile{"/r/torn", std::nullopt}, // damaged
        file("a.bas", 30, 100),                // writer gone, older
        file("own.bas", 99, 50),               // our own number: an earlier process that had it
    };
    auto running = [](long pid) { return pid == 20 || pid == 99; };
    std::vector<RecoveryFile> offered = recovery_files_to_offer(files, 99, running);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].file, "/r/own.bas");
    EXPECT_EQ(offered[1].file, "/r/a.bas");
    EXPECT_EQ(offered[2].file, "/r/b.bas");
}

TEST(RecoveryFile, FolderReadingAndProcessCheck) {
    char pattern[] = "/tmp/zell_recovery_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string folder = std::string(pattern) + "/";
    EXPECT_TRUE(read_recovery_folder(folder + "missing/").empty());

    RecoveryEntry one = sample(), two = sample();
    two.path = "/other/two.bas";
    ASSERT_TRUE(write_file_safely(folder + recovery_file_name(1, 5, 1), encode_recovery(one)).ok);
    ASSERT_TRUE(write_file_safely(folder + recovery_file_name(1, 5, 2), encode_recovery(two)).ok);
    ASSERT_TRUE(write_file_safely(folder + "9-9-9.zrec", "").ok);                  // empty
    ASSERT_TRUE(write_file_safely(folder + "notes.txt", encode_recovery(one)).ok); // not ours
    std::vector<RecoveryFile> files = read_recovery_folder(folder);
    ASSERT_EQ(files.size(), 3u);
    int intact = 0;
    for (const RecoveryFile& file : files) intact += file.entry ? 1 : 0;
    EXPECT_EQ(intact, 2);
    std::filesystem::remove_all(folder);

    EXPECT_TRUE(process_is_running(static_cast<long>(::getpid())));
    EXPECT_FALSE(process_is_running(0));
    EXPECT_FALSE(process_is_running(999999999)); // beyond any process number
}

TEST(RecoveryFile, SummaryNamesFileAndSize) {
    const std::string line = recovery_summary_line(sample());
    EXPECT_NE(line.find("prog.bas"), std::string::npos);
    EXPECT_EQ(line.find("dir with space"), std::string::npos);
    EXPECT_NE(line.find("23 bytes"), std::string::npos);
}
