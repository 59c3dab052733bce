// Recovery files: the text of a modified document kept in the data folder until it is saved,
// so a crash or a kill does not lose it. The format and the choice of files to offer at start.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one recovery file holds.
struct RecoveryEntry {
    long pid = 0;          // the process that wrote it
    std::int64_t time = 0; // seconds since 1970 when it was written
    bool untitled = false; // a document never saved: recovered as untitled
    std::string path;      // the document's path (for untitled ones the would-be path)
    std::string text;      // the document's 8-bit text, byte for byte
};

// The bytes of a recovery file: a header with the lengths and a checksum, then path and text.
std::string encode_recovery(const RecoveryEntry& entry);
// Nothing when the bytes are not a whole, intact recovery file (empty, cut short, altered).
std::optional<RecoveryEntry> parse_recovery(std::string_view bytes);

// A recovery file found in the folder.
struct RecoveryFile {
    std::string file;                   // full path of the recovery file
    std::optional<RecoveryEntry> entry; // nothing when it could not be read or is damaged
};

// The files to offer at start: intact ones whose writer is not another running process (a live
// writer is another instance that keeps its own files up to date). Sorted by time, oldest first.
std::vector<RecoveryFile> recovery_files_to_offer(std::vector<RecoveryFile> files, long own_pid,
                                                  const std::function<bool(long pid)>& is_running);

// The recovery files in `folder` (names ending in ".zrec"), read and parsed.
std::vector<RecoveryFile> read_recovery_folder(const std::string& folder);
// True when a process with this number exists.
bool process_is_running(long pid);
// The name of the recovery file for the `serial`-th document of process `pid` started at `time`
// (the time keeps a later process with the same number from taking an old file's name).
std::string recovery_file_name(long pid, std::int64_t time, long serial);
// One line of the recovery dialog: file name, time (local) and size of the text.
std::string recovery_summary_line(const RecoveryEntry& entry);
