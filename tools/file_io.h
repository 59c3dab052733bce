// Plain file access for program files: whole-file reads and atomic replace-writes, errors as
// values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct ReadResult {
    bool ok = false;
    std::string bytes; // every byte of the file, zero bytes included
    std::string error; // readable reason when !ok, e.g. "No such file or directory"
};

struct WriteResult {
    bool ok = false;
    std::string error; // readable reason when !ok
};

// Optional failure injection for tests (root ignores permissions, so tests cannot rely on them).
// A hook returns an empty string to let the step go ahead, or an error text to make it fail.
struct FileWriteHooks {
    // Called before each chunk of bytes is written to the temporary file.
    std::function<std::string(std::size_t offset, std::size_t size)> before_chunk;
    // Called after all bytes are written and flushed, just before the temporary replaces the file.
    std::function<std::string()> before_rename;
};

// Reads the whole file in one piece. Fails for missing, unreadable and non-regular files
// (folders included) with the system's reason as text.
ReadResult read_whole_file(const std::string& path);

// Replaces the file at `path` with `bytes`: they go to a temporary file in the same folder, which
// is flushed to disk and then renamed over the original, so the original is either fully replaced
// or left untouched. An existing file keeps its permission bits (and its owner where the system
// allows); a symbolic link keeps pointing to the file it names, which is the one replaced. On
// failure the temporary file is removed.
WriteResult write_file_atomically(const std::string& path, std::string_view bytes,
                                  const FileWriteHooks& hooks = {});

// True when anything (file, folder, ...) exists at `path`.
bool file_exists(const std::string& path);
// The size in bytes of the regular file at `path`; -1 when it is missing or not a regular file.
std::int64_t file_size(const std::string& path);
bool is_regular_file(const std::string& path);
bool is_directory(const std::string& path);
