// File identity, size and modification time from stat().
#include "documents/disk_stamp.h"

#include <sys/stat.h>

DiskStamp disk_stamp_of(const std::string& path) {
    DiskStamp stamp;
    stamp.known = true;
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.mtime_ns = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    return stamp;
}

DiskChange disk_change(const DiskStamp& before, const DiskStamp& now) {
    if (!before.known || !now.known || before == now) return DiskChange::none;
    if (before.exists && !now.exists) return DiskChange::removed;
    if (!before.exists && now.exists) return DiskChange::reappeared;
    if (!before.exists) return DiskChange::none;
    return DiskChange::changed;
}
