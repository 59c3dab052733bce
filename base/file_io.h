// Plain file access: whole-file reads and safe writes, errors as values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The system's readable text for an errno value.
std::string errno_text(int error_number);

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
    // Called before each new file is made in the file's folder (a failure reads as a folder
    // where no file can be made).
    std::function<std::string()> before_create;
    // Called before each chunk of bytes is written to the temporary file.
    std::function<std::string(std::size_t offset, std::size_t size)> before_chunk;
    // Called after all bytes are written and flushed, just before the write becomes final.
    std::function<std::string()> before_rename;
};

// Reads the whole file in one piece. Fails for missing, unreadable and non-regular files
// (folders included) with the system's reason as text.
ReadResult read_whole_file(const std::string& path);

// Replaces the contents of the file at `path` with `bytes` so that it is either fully replaced
// or left as it was, and keeps what it is: the bytes go to a temporary file beside it that is
// renamed into place, unless that would lose its hard links, owner, group, mode bits or extended
// attributes; then they are written into the file itself after a safety copy of the old
// contents. A symbolic link keeps pointing to the file it names, which is the one written.
// Temporary files carry ".zell-tmp-" and safety copies ".zell-backup-" with the process number
// in their names; those of processes that are gone are removed by the next write in the folder.
// A folder where no new file can be made leaves the in-place road as well. New files get
// `new_file_mode` less the umask.
WriteResult write_file_safely(const std::string& path, std::string_view bytes,
                              const FileWriteHooks& hooks = {}, unsigned new_file_mode = 0666);

// A safety copy that an in-place write killed before its end left beside its file.
struct LeftoverCopy {
    std::string copy_path;   // the copy: the file's contents before that write
    std::string target_path; // the file that was being written
    std::int64_t size = 0;
    std::int64_t mtime = 0; // seconds since 1970
};
// The safety copies in `folder` whose writing process is gone, by name.
std::vector<LeftoverCopy> leftover_safety_copies(const std::string& folder);

// Removes the temporary files of writes that were killed, in `folder`.
void remove_stale_helper_files(const std::string& folder);

// True when anything (file, folder, ...) exists at `path`.
bool file_exists(const std::string& path);
// The size in bytes of the regular file at `path`; -1 when it is missing or not a regular file.
std::int64_t file_size(const std::string& path);
bool is_regular_file(const std::string& path);
bool is_directory(const std::string& path);
