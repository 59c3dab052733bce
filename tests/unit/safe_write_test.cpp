// Safe writes keep a file what it was: hard links, owner and group, mode bits, extended
// attributes; killed writes leave nothing behind for good.
#include "tools/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace {

class SafeWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/zell_safe_write_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = std::string(pattern) + "/";
    }
    void TearDown() override {
        for (const std::string& name : entries()) ::unlink((folder + name).c_str());
        ::rmdir(folder.c_str());
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(dir);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string read(const std::string& path) { return read_whole_file(path).bytes; }
    static struct stat info_of(const std::string& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info;
    }
    // The number of a process that has ended.
    static long dead_pid() {
        pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }

    std::string folder;
};

TEST_F(SafeWriteTest, AFileWithSeveralNamesIsWrittenInPlaceSoEveryNameSeesTheNewText) {
    const std::string path = folder + "prog.bas", other = folder + "other-name.bas";
    ASSERT_TRUE(write_file_safely(path, "old text").ok);
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    const ino_t inode = info_of(path).st_ino;
    ASSERT_TRUE(write_file_safely(path, "new").ok);
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(read(other), "new");
    EXPECT_EQ(info_of(path).st_ino, inode);
    EXPECT_EQ(entries(), (std::vector<std::string>{"other-name.bas", "prog.bas"}));

    // A failure in the middle puts the old contents back, and no safety copy is left.
    std::string big(3 << 20, 'x');
    FileWriteHooks fail_second_chunk;
    fail_second_chunk.before_chunk = [](std::size_t offset, std::size_t) {
        return offset > 0 ? std::string("No space left on device") : std::string();
    };
    WriteResult failed = write_file_safely(path, big, fail_second_chunk);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, "No space left on device");
    EXPECT_EQ(read(other), "new");
    FileWriteHooks fail_at_the_end;
    fail_at_the_end.before_rename = [] { return std::string("Input/output error"); };
    EXPECT_FALSE(write_file_safely(path, big, fail_at_the_end).ok);
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(entries(), (std::vector<std::string>{"other-name.bas", "prog.bas"}));
}

TEST_F(SafeWriteTest, ModeBitsOwnerAndGroupAreKept) {
    const std::string path = folder + "tool.bas";
    ASSERT_TRUE(write_file_safely(path, "old").ok);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0); // another user's file
    }
    // Set after the owner: a change of owner clears the setuid and setgid bits.
    const mode_t mode = root ? 06751 : 0751;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(write_file_safely(path, "new").ok);
    struct stat info = info_of(path);
    EXPECT_EQ(info.st_mode & 07777, mode);
    if (root) {
        EXPECT_EQ(info.st_uid, 12345u);
        EXPECT_EQ(info.st_gid, 23456u);
    }
    EXPECT_EQ(read(path), "new");
}

TEST_F(SafeWriteTest, ExtendedAttributesAreKept) {
#ifdef __linux__
    const std::string path = folder + "tagged.bas";
    ASSERT_TRUE(write_file_safely(path, "old").ok);
    if (::setxattr(path.c_str(), "user.zell.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system takes no user attributes";
    ASSERT_TRUE(write_file_safely(path, "new").ok);
    char value[16] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "user.zell.note", value, sizeof value), 4);
    EXPECT_EQ(std::string(value, 4), "kept");
    EXPECT_EQ(read(path), "new");
#else
    GTEST_SKIP();
#endif
}

TEST_F(SafeWriteTest, HelperFilesOfKilledWritesAreRemovedAndThoseOfLiveOnesKept) {
    const std::string path = folder + "prog.bas";
    const std::string dead = std::to_string(dead_pid());
    const std::string live = std::to_string(static_cast<long>(::getppid()));
    for (const std::string& name :
         {".prog.bas.zell-tmp-" + dead + "-0", ".other.bas.zell-tmp-" + dead + "-3",
          ".prog.bas.zell-tmp-" + live + "-0", ".prog.bas.zell-backup-" + dead,
          ".other.bas.zell-backup-" + dead, "notes.zell-tmp-" + dead})
        ASSERT_TRUE(write_file_safely(folder + name, "left behind").ok);
    ASSERT_TRUE(write_file_safely(path, "new").ok);
    // Temporary files of gone processes go; a safety copy goes only once its own file has been
    // written whole again (for another file it may be the only good copy).
    EXPECT_EQ(entries(), (std::vector<std::string>{".other.bas.zell-backup-" + dead,
                                                   ".prog.bas.zell-tmp-" + live + "-0",
                                                   "notes.zell-tmp-" + dead, "prog.bas"}));
    remove_stale_helper_files(folder);
    EXPECT_EQ(entries().size(), 4u);
}

} // namespace
