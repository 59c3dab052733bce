// Telling another program's change to a file from no change at all.
#include "documents/disk_stamp.h"

#include "base/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

TEST(DiskStamp, ChangesRemovalAndReturn) {
    char pattern[] = "/tmp/zell_stamp_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/a.bas";

    const DiskStamp missing = disk_stamp_of(path);
    EXPECT_TRUE(missing.known);
    EXPECT_FALSE(missing.exists);
    EXPECT_EQ(disk_change(DiskStamp{}, missing), DiskChange::none); // nothing remembered

    ASSERT_TRUE(write_file_safely(path, "10 PRINT 1\n").ok);
    const DiskStamp first = disk_stamp_of(path);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 11);
    EXPECT_EQ(disk_change(first, disk_stamp_of(path)), DiskChange::none);
    EXPECT_EQ(disk_change(missing, first), DiskChange::reappeared);

    // Written in place, and replaced by a renamed file of the same size (a new identity).
    { std::ofstream(path, std::ios::binary) << "10 PRINT 22\n"; }
    EXPECT_EQ(disk_change(first, disk_stamp_of(path)), DiskChange::changed);
    ASSERT_TRUE(write_file_safely(path, "10 PRINT 3\n").ok);
    EXPECT_EQ(disk_change(first, disk_stamp_of(path)), DiskChange::changed);

    ::unlink(path.c_str());
    EXPECT_EQ(disk_change(first, disk_stamp_of(path)), DiskChange::removed);
    std::filesystem::remove_all(pattern);
}
