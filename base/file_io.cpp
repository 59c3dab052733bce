// Whole-file reads and file queries over POSIX calls.
#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// Closes a descriptor on scope exit unless released.
struct FdGuard {
    int fd = -1;
    ~FdGuard() {
        if (fd >= 0) ::close(fd);
    }
};

bool stat_path(const std::string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// Reads until end of file, appending to `out` from `out.size()` on; used past the expected size.
bool read_rest(int fd, std::string& out, std::size_t filled, int& error_number) {
    constexpr std::size_t chunk = 64 * 1024;
    for (;;) {
        if (out.size() - filled < chunk) out.resize(filled + chunk);
        ssize_t got = ::read(fd, out.data() + filled, out.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            error_number = errno;
            return false;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    out.resize(filled);
    return true;
}

} // namespace

std::string errno_text(int error_number) {
    return std::generic_category().message(error_number);
}

ReadResult read_whole_file(const std::string& path) {
    ReadResult result;
    if (path.empty()) {
        result.error = errno_text(ENOENT);
        return result;
    }
    // Non-blocking open so that a FIFO cannot hang the caller; it is refused below anyway.
    FdGuard file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) {
        result.error = errno_text(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        result.error = errno_text(errno);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = errno_text(EISDIR);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = "Not a regular file";
        return result;
    }
    // The size is known: one allocation and normally one read. A file that grows meanwhile is
    // read to its end; one that shrinks is cut where it ends.
    std::size_t expected = static_cast<std::size_t>(info.st_size);
    std::string bytes(expected, '\0');
    std::size_t filled = 0;
    int error_number = 0;
    while (filled < expected) {
        ssize_t got = ::read(file.fd, bytes.data() + filled, expected - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.error = errno_text(errno);
            return result;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled < expected) {
        bytes.resize(filled);
    } else if (!read_rest(file.fd, bytes, filled, error_number)) {
        result.error = errno_text(error_number);
        return result;
    }
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

bool file_exists(const std::string& path) {
    struct stat info {};
    return stat_path(path, info);
}

std::int64_t file_size(const std::string& path) {
    struct stat info {};
    if (!stat_path(path, info) || !S_ISREG(info.st_mode)) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool is_regular_file(const std::string& path) {
    struct stat info {};
    return stat_path(path, info) && S_ISREG(info.st_mode);
}

bool is_directory(const std::string& path) {
    struct stat info {};
    return stat_path(path, info) && S_ISDIR(info.st_mode);
}
