// What a file on disk looked like when the editor last read or wrote it, to tell when another
// program changed or removed it.
#pragma once

#include <cstdint>
#include <string>

struct DiskStamp {
    bool known = false;  // false: nothing remembered (a new document, a report)
    bool exists = false; // the file was there
    std::int64_t size = 0;
    std::int64_t mtime_ns = 0; // modification time, nanoseconds since 1970
    std::uint64_t device = 0, inode = 0;
    bool operator==(const DiskStamp&) const = default;
};

// The file at `path` as it is now (`known` is always true).
DiskStamp disk_stamp_of(const std::string& path);

enum class DiskChange { none, changed, removed, reappeared };
// How the file changed between two looks; a stamp not known never counts as a change.
DiskChange disk_change(const DiskStamp& before, const DiskStamp& now);
