// Whole-file reads and atomic writes: contents, errors, permissions and injected failures.
#include "base/file_io.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class FileIoTest : public TempFolderTest {};

std::string every_byte_twice() {
    std::string bytes;
    for (int round = 0; round < 2; ++round)
        for (int c = 0; c < 256; ++c) bytes.push_back(static_cast<char>(c));
    return bytes;
}

TEST_F(FileIoTest, WritesAndReadsEveryByteIncludingZeroBytes) {
    std::string path = folder + "prog.bas";
    std::string bytes = every_byte_twice();
    ASSERT_TRUE(write_file_safely(path, bytes).ok);
    ReadResult result = read_whole_file(path);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.bytes, bytes);
    EXPECT_EQ(file_size(path), 512);

    ASSERT_TRUE(write_file_safely(path, "short").ok); // replaced and truncated
    EXPECT_EQ(read(path), "short");
    ASSERT_TRUE(write_file_safely(path, "").ok);
    EXPECT_TRUE(read_whole_file(path).ok);
    EXPECT_EQ(file_size(path), 0);
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.bas"});
}

TEST_F(FileIoTest, ReadFailuresGiveTheReason) {
    ReadResult missing = read_whole_file(folder + "missing.bas");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");

    ReadResult directory = read_whole_file(folder);
    EXPECT_FALSE(directory.ok);
    EXPECT_EQ(directory.error, "Is a directory");

    EXPECT_FALSE(read_whole_file("").ok);

    if (::geteuid() != 0) { // root reads anything
        std::string locked = folder + "locked.bas";
        ASSERT_TRUE(write_file_safely(locked, "x").ok);
        ::chmod(locked.c_str(), 0);
        ReadResult denied = read_whole_file(locked);
        EXPECT_FALSE(denied.ok);
        EXPECT_EQ(denied.error, "Permission denied");
    }
}

TEST_F(FileIoTest, FileQueries) {
    std::string path = folder + "a.bas";
    EXPECT_FALSE(file_exists(path));
    EXPECT_EQ(file_size(path), -1);
    ASSERT_TRUE(write_file_safely(path, "abc").ok);
    EXPECT_TRUE(file_exists(path));
    EXPECT_TRUE(is_regular_file(path));
    EXPECT_FALSE(is_directory(path));
    EXPECT_EQ(file_size(path), 3);
    EXPECT_TRUE(file_exists(folder));
    EXPECT_TRUE(is_directory(folder));
    EXPECT_FALSE(is_regular_file(folder));
    EXPECT_EQ(file_size(folder), -1);
}

TEST_F(FileIoTest, KeepsPermissionBitsOfTheReplacedFile) {
    std::string path = folder + "script.bas";
    ASSERT_TRUE(write_file_safely(path, "old").ok);
    ASSERT_EQ(::chmod(path.c_str(), 0751), 0);
    ASSERT_TRUE(write_file_safely(path, "new").ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
    EXPECT_EQ(read(path), "new");
}

TEST_F(FileIoTest, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    std::string path = folder + "locked.bas";
    ASSERT_TRUE(write_file_safely(path, "old").ok);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    WriteResult result = write_file_safely(path, "new");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Permission denied");
    EXPECT_EQ(read(path), "old");
}

TEST_F(FileIoTest, InjectedFailuresLeaveTheOriginalIntactAndNoTemporary) {
    std::string path = folder + "prog.bas";
    ASSERT_TRUE(write_file_safely(path, "original").ok);
    std::string big(3 << 20, 'x'); // several chunks

    int chunks = 0;
    FileWriteHooks fail_second_chunk;
    fail_second_chunk.before_chunk = [&](std::size_t offset, std::size_t) -> std::string {
        ++chunks;
        return offset > 0 ? "No space left on device" : "";
    };
    WriteResult result = write_file_safely(path, big, fail_second_chunk);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No space left on device");
    EXPECT_EQ(chunks, 2);
    EXPECT_EQ(read(path), "original");
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.bas"});

    FileWriteHooks fail_rename;
    fail_rename.before_rename = [] { return std::string("Input/output error"); };
    EXPECT_FALSE(write_file_safely(path, big, fail_rename).ok);
    EXPECT_EQ(read(path), "original");
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.bas"});

    // A failed first write of a new file leaves nothing behind.
    EXPECT_FALSE(write_file_safely(folder + "new.bas", big, fail_second_chunk).ok);
    EXPECT_EQ(entries(), std::vector<std::string>{"prog.bas"});
}

TEST_F(FileIoTest, WriteFailuresForFoldersAndMissingFolders) {
    WriteResult into_missing = write_file_safely(folder + "no/such/prog.bas", "x");
    EXPECT_FALSE(into_missing.ok);
    EXPECT_EQ(into_missing.error, "No such file or directory");

    std::string sub = folder + "sub";
    ASSERT_EQ(::mkdir(sub.c_str(), 0755), 0);
    WriteResult onto_folder = write_file_safely(sub, "x");
    EXPECT_FALSE(onto_folder.ok);
    EXPECT_EQ(onto_folder.error, "Is a directory");
    EXPECT_TRUE(is_directory(sub));
    ::rmdir(sub.c_str());
    EXPECT_TRUE(entries().empty());
}

TEST_F(FileIoTest, WritingThroughASymbolicLinkReplacesItsTarget) {
    std::string target = folder + "real.bas";
    std::string link = folder + "link.bas";
    ASSERT_TRUE(write_file_safely(target, "old").ok);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(write_file_safely(link, "new").ok);
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(read(target), "new");
}

} // namespace
