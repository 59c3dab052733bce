// Merge over files held in memory: nesting, the two folders, includes met twice, and every way
// an include can fail, each naming the file and line and leaving no result.
#include "tools/merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

namespace {

struct FakeDisk {
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    int reads = 0;

    IncludeFiles access() {
        IncludeFiles access;
        access.exists = [this](const std::string& path) {
            return files.count(path) != 0 || folders.count(path) != 0;
        };
        access.read = [this](const std::string& path) {
            ++reads;
            if (folders.count(path)) return ReadResult{false, {}, "it is a folder"};
            auto found = files.find(path);
            if (found == files.end()) return ReadResult{false, {}, "No such file or directory"};
            return ReadResult{true, found->second, {}};
        };
        return access;
    }
};

MergeResult merge(FakeDisk& disk, const std::string& text, const std::string& folder = "/inc") {
    return merge_includes(text, "/home/p/main.bas", folder, disk.access());
}

TEST(Merge, NestedIncludesFromBothFoldersOnceEach) {
    FakeDisk disk;
    disk.files["/home/p/lib/io.inc"] = "SUB out(s$)\r\n  PRINT s$\r\nEND SUB\r\n";
    disk.files["/home/p/util.inc"] = "#include \"lib/io.inc\"\n#Include \"maths.inc\" ' shared";
    disk.files["/inc/maths.inc"] = "FUNCTION sq(x)\n  sq = x * x\nEND FUNCTION";
    const MergeResult result =
        merge(disk, "  #INCLUDE \"util.inc\"\nout(\"#INCLUDE \")\n#INCLUDE \"lib/io.inc\"\n");
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.text, "' ==== start of util.inc ====\n"
                           "' ==== start of lib/io.inc ====\n"
                           "SUB out(s$)\n  PRINT s$\nEND SUB\n"
                           "' ==== end of lib/io.inc ====\n"
                           "' ==== start of maths.inc ====\n"
                           "FUNCTION sq(x)\n  sq = x * x\nEND FUNCTION\n"
                           "' ==== end of maths.inc ====\n"
                           "' ==== end of util.inc ====\n"
                           "out(\"#INCLUDE \")\n"
                           "' ==== lib/io.inc is merged above ====\n");
    EXPECT_EQ(result.merged, 3u);
}

TEST(Merge, BesideTheProgramComesFirstAndAProgramWithoutIncludesStays) {
    FakeDisk disk;
    disk.files["/home/p/a.inc"] = "x = 1";
    disk.files["/inc/a.inc"] = "x = 2";
    EXPECT_EQ(merge(disk, "#INCLUDE \"a.inc\"", "/inc").text,
              "' ==== start of a.inc ====\nx = 1\n' ==== end of a.inc ====\n");
    const std::string program = "CSUB c\n#INCLUDE \"nothing\"\nEND CSUB\nPRINT \"'\"\n";
    EXPECT_EQ(merge(disk, program).text, program);
    EXPECT_EQ(disk.reads, 1);
}

TEST(Merge, FailuresNameTheFileAndLine) {
    FakeDisk disk;
    disk.folders.insert("/home/p/dir.inc");
    disk.files["/home/p/main.bas"] = "";
    disk.files["/home/p/self.bas"] = "#INCLUDE \"self.bas\"";
    disk.files["/home/p/a.inc"] = "x\n#INCLUDE \"b.inc\"";
    disk.files["/home/p/b.inc"] = "#INCLUDE \"a.inc\"";
    disk.files["/home/p/bin.inc"] = std::string("\x7f"
                                                "ELF\0\0",
                                                6);
    disk.files["/home/p/big.inc"] = std::string(50 << 20, 'x');
    struct Case {
        std::string program, file;
        std::size_t line;
        std::string reason_part;
    } cases[] = {
        {"x\n#INCLUDE \"open.inc", "/home/p/main.bas", 2, "closing quote"},
        {"#INCLUDE \"missing.inc\"", "/home/p/main.bas", 1, "missing.inc was found neither"},
        {"#INCLUDE \"dir.inc\"", "/home/p/main.bas", 1, "folder"},
        {"#INCLUDE \"main.bas\"", "/home/p/main.bas", 1, "cycle: main.bas > main.bas"},
        {"#INCLUDE \"a.inc\"", "/home/p/b.inc", 1, "cycle: main.bas > a.inc > b.inc > a.inc"},
        {"#INCLUDE \"bin.inc\"", "/home/p/main.bas", 1, "binary"},
        {"\n\n#INCLUDE \"big.inc\"", "/home/p/main.bas", 3, "larger than 16 MB"},
        {"#INCLUDE \"\"", "/home/p/main.bas", 1, "empty"},
    };
    for (const Case& c : cases) {
        const MergeResult result = merge(disk, c.program);
        EXPECT_FALSE(result.ok) << c.program;
        EXPECT_TRUE(result.text.empty());
        EXPECT_EQ(result.file, c.file) << c.program;
        EXPECT_EQ(result.line, c.line) << c.program;
        EXPECT_NE(result.reason.find(c.reason_part), std::string::npos) << result.reason;
    }
    // A folder link back into itself gives a new path at every level: the nesting is limited.
    disk.folders.insert("/home/p/loop");
    std::string deep = "/home/p/";
    for (int i = 0; i < 80; ++i) {
        disk.files[deep + "d.inc"] = "#INCLUDE \"loop/d.inc\"";
        deep += "loop/";
    }
    const MergeResult nested = merge(disk, "#INCLUDE \"d.inc\"");
    EXPECT_FALSE(nested.ok);
    EXPECT_NE(nested.reason.find("nested deeper than 64"), std::string::npos);
    EXPECT_EQ(nested.line, 1u);
    // A file that includes itself is a cycle of its own.
    const MergeResult self = merge(disk, "#INCLUDE \"self.bas\"");
    EXPECT_EQ(self.file, "/home/p/self.bas");
}

TEST(Merge, ManyIncludesOfOneLongLineKeepEveryByte) {
    FakeDisk disk;
    std::string program;
    std::string expected;
    for (int i = 0; i < 50; ++i) {
        const std::string name = "part" + std::to_string(i) + ".inc";
        disk.files["/inc/" + name] = "PRINT \"" + name + " it's\" ' a comment\r\n";
        program += "#INCLUDE \"" + name + "\"\r\n";
        expected += "' ==== start of " + name + " ====\r\nPRINT \"" + name +
                    " it's\" ' a comment\r\n' ==== end of " + name + " ====\r\n";
    }
    std::string long_line(5 << 20, 'a');
    MergeResult result =
        merge_includes(program + long_line, "/home/p/main.bas", "/inc", disk.access(), "\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.text, expected + long_line + "\r\n");
}

} // namespace

namespace {

// The files on disk: a folder, a binary file and a 50 MB file are refused by name, the large one
// without being read whole.
TEST(MergeFromDisk, FoldersBinaryAndHugeFilesAreRefused) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("zell-merge-" + std::to_string(::getpid()));
    fs::create_directories(folder / "dir.inc");
    const std::string base = folder.string() + "/";
    ASSERT_TRUE(write_file_safely(base + "ok.inc", "PRINT 1\r\n").ok);
    ASSERT_TRUE(write_file_safely(base + "bin.inc", std::string("\0\1\2", 3)).ok);
    { std::ofstream(base + "huge.inc").put('x'); }
    fs::resize_file(base + "huge.inc", 50u << 20);
    const IncludeFiles files = disk_include_files();
    auto merge_line = [&](const std::string& line) {
        return merge_includes(line, base + "main.bas", "", files);
    };
    EXPECT_EQ(merge_line("#INCLUDE \"ok.inc\"").text,
              "' ==== start of ok.inc ====\nPRINT 1\n' ==== end of ok.inc ====\n");
    EXPECT_NE(merge_line("#INCLUDE \"dir.inc\"").reason.find("folder"), std::string::npos);
    EXPECT_NE(merge_line("#INCLUDE \"bin.inc\"").reason.find("binary"), std::string::npos);
    EXPECT_NE(merge_line("#INCLUDE \"huge.inc\"").reason.find("16 MB"), std::string::npos);
    fs::remove_all(folder);
}

} // namespace
