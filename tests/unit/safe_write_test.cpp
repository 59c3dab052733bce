// Safe writes keep a file what it was: hard links, owner and group, mode bits, extended
// attributes; killed writes leave nothing behind for good.
#include "base/file_io.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace {

class SafeWriteTest : public TempFolderTest {
  protected:
    static struct stat info_of(const std::string& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info;
    }
    // Runs `step` with the rights of an ordinary user: in a child that becomes "nobody" when
    // the tests run as root (who may write anywhere and keeps set-user-ID bits on writes).
    static bool as_ordinary_user(const std::function<bool()>& step) {
        if (::geteuid() != 0) return step();
        pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
                ::_exit(3);
            ::_exit(step() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // Makes `path` belong to the user as_ordinary_user runs as.
    static void give_to_ordinary_user(const std::string& path) {
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(path.c_str(), nobody, nobody), 0);
        }
    }
    static constexpr uid_t nobody = 65534;
    // The number of a process that has ended.
    static long dead_pid() {
        pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
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

TEST_F(SafeWriteTest, AnInPlaceWriteKilledHalfwayLeavesTheNewSizeAndAnOfferedSafetyCopy) {
    const std::string path = folder + "prog.bas", other = folder + "other-name.bas";
    const std::string old_text(3 << 20, 'o'), new_text(3 << 19, 'n');
    ASSERT_TRUE(write_file_safely(path, old_text).ok);
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    pid_t child = ::fork();
    if (child == 0) {
        FileWriteHooks die_after_first_chunk;
        die_after_first_chunk.before_chunk = [](std::size_t offset, std::size_t) {
            if (offset > 0) ::raise(SIGKILL);
            return std::string();
        };
        write_file_safely(path, new_text, die_after_first_chunk);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // Never the new text followed by the old text's tail: the file already has its new size.
    EXPECT_EQ(read(path).size(), new_text.size());
    const std::vector<LeftoverCopy> left = leftover_safety_copies(folder);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].target_path, path);
    EXPECT_EQ(left[0].copy_path, folder + ".prog.bas.zell-backup-" + std::to_string(child));
    EXPECT_EQ(left[0].size, std::int64_t(old_text.size()));
    EXPECT_EQ(read(left[0].copy_path), old_text);
}

TEST_F(SafeWriteTest, SetUserAndGroupIdBitsSurviveAnOrdinaryUsersWrite) {
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    const std::string single = folder + "single.bas", linked = folder + "linked.bas";
    for (const std::string& path : {single, linked}) {
        ASSERT_TRUE(write_file_safely(path, "old").ok);
        give_to_ordinary_user(path);
        // Group id bits need the owner in the file's group, which the ordinary user is.
        ASSERT_EQ(::chmod(path.c_str(), 06755), 0);
    }
    ASSERT_EQ(::link(linked.c_str(), (folder + "second-name.bas").c_str()), 0);
    for (const std::string& path : {single, linked}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(as_ordinary_user([&] { return write_file_safely(path, "new").ok; }));
        EXPECT_EQ(read(path), "new");
        EXPECT_EQ(info_of(path).st_mode & 07777, 06755u);
    }
}

TEST_F(SafeWriteTest, AWritableFileInAFolderThatTakesNoNewFilesIsWrittenInPlace) {
    const std::string path = folder + "prog.bas";
    ASSERT_TRUE(write_file_safely(path, "old").ok);
    // As the system does it: a folder the ordinary user may not write.
    give_to_ordinary_user(path);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    EXPECT_TRUE(as_ordinary_user([&] { return write_file_safely(path, "new").ok; }));
    EXPECT_EQ(read(path), "new");
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);

    // And through the hook, for a run as any user; a new file still cannot be made there.
    FileWriteHooks no_new_files;
    no_new_files.before_create = [] { return std::string("Permission denied"); };
    EXPECT_TRUE(write_file_safely(path, "newer", no_new_files).ok);
    EXPECT_EQ(read(path), "newer");
    WriteResult made = write_file_safely(folder + "fresh.bas", "x", no_new_files);
    EXPECT_FALSE(made.ok);
    EXPECT_EQ(made.error, "Permission denied");
    EXPECT_EQ(entries(), (std::vector<std::string>{"prog.bas"}));
}

TEST_F(SafeWriteTest, ADanglingLinkIsWrittenThroughAndStaysALink) {
    // A chain of two links, the last to a file not made yet; relative names are taken from the
    // link's own folder.
    const std::string first = folder + "first.bas", second = folder + "second.bas";
    ASSERT_EQ(::symlink("second.bas", first.c_str()), 0);
    ASSERT_EQ(::symlink((folder + "made.bas").c_str(), second.c_str()), 0);
    ASSERT_TRUE(write_file_safely(first, "10 END").ok);
    struct stat info {};
    ASSERT_EQ(::lstat(first.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::lstat(second.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(read(folder + "made.bas"), "10 END");

    // Links that go round in a loop are refused, and stay links.
    const std::string loop = folder + "loop.bas";
    ASSERT_EQ(::symlink("loop.bas", loop.c_str()), 0);
    WriteResult looped = write_file_safely(loop, "x");
    EXPECT_FALSE(looped.ok);
    ASSERT_EQ(::lstat(loop.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

} // namespace
