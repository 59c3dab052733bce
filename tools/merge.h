// Merge: one program made from a program and the files its #INCLUDE lines name, recursively.
// The files come through `IncludeFiles`, so the merging itself never touches the disk.
#pragma once

#include "base/file_io.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// An included file larger than this is refused: no firmware loads a program that size, and
// reading it would only tie up memory.
constexpr std::size_t largest_include_file = std::size_t{16} << 20;
// The merged program stops growing here, whatever the files.
constexpr std::size_t largest_merged_program = std::size_t{64} << 20;

struct IncludeFiles {
    // True when something (file or folder) is at `path`: where an include is found.
    std::function<bool(const std::string& path)> exists;
    // The whole file; !ok with a reason for a folder, a missing or unreadable file, and a file
    // larger than `largest_include_file`.
    std::function<ReadResult(const std::string& path)> read;
};

// What an #INCLUDE line asks for.
struct IncludeLine {
    bool is_include = false;
    bool closed = false; // the name has its closing quote
    std::string_view name;
};

IncludeLine read_include_line(std::string_view line);

// Where the file `name`, included by the file at `from`, is: beside `from`, then in
// `include_folder` (when not empty); nothing when it is nowhere. "\\" counts as "/".
std::optional<std::string> find_include_file(std::string name, const std::string& from,
                                             const std::string& include_folder,
                                             const IncludeFiles& files);

// A path in the form the include lookup gives (normalised, "/" separators).
std::string clean_include_path(const std::string& path);

// The files on disk, through base/file_io.
IncludeFiles disk_include_files();

struct MergeResult {
    bool ok = false;
    std::string text;       // the merged program (when ok)
    std::string file;       // when !ok: the file whose line stopped Merge
    std::size_t line = 0;   // and that line, counted from 1
    std::string reason;     // e.g. "lib.inc was not found"
    std::size_t merged = 0; // how many files were merged in
};

// Whether any line of `text` is an #INCLUDE line.
bool has_include_lines(std::string_view text);

// Puts the text of each file named by an `#INCLUDE "file"` line in place of that line, between
// two comment lines naming it, and does the same inside it. A name is looked up relative to the
// folder of the file that includes it, then in `include_folder` (when not empty). A file already
// merged is not merged again: its line becomes a comment saying so. A cycle, a missing file, a
// folder, a binary file (one with zero bytes), a name without its closing quote or a result too
// large stops Merge with the file and line to blame. Every line is followed by `line_end`; lines
// inside data blocks are never read as includes.
MergeResult merge_includes(std::string_view text, const std::string& program_path,
                           const std::string& include_folder, const IncludeFiles& files,
                           std::string_view line_end = "\n");
