// Whole-file reads and atomic replace-writes over POSIX calls.
#include "tools/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::string error_text(int error_number) {
    return std::generic_category().message(error_number);
}

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

// The file a write to `path` should replace: the target of a symbolic link, else `path` itself.
std::string replace_target(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path; // dangling: replace the link
    return resolved;
}

std::string folder_part(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string file_name_part(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, empty temporary file beside `target`; mode 0666 lets the umask apply to new files.
int create_temporary(const std::string& target, std::string& temp_path, int& error_number) {
    std::string stem = folder_part(target) + "." + file_name_part(target) + ".tmp" +
                       std::to_string(static_cast<long>(::getpid())) + "-";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        temp_path = stem + std::to_string(attempt);
        int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            error_number = errno;
            return -1;
        }
    }
    error_number = EEXIST;
    return -1;
}

WriteResult write_failure(std::string error) {
    return WriteResult{false, std::move(error)};
}

} // namespace

ReadResult read_whole_file(const std::string& path) {
    ReadResult result;
    if (path.empty()) {
        result.error = error_text(ENOENT);
        return result;
    }
    // Non-blocking open so that a FIFO cannot hang the caller; it is refused below anyway.
    FdGuard file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) {
        result.error = error_text(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        result.error = error_text(errno);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = error_text(EISDIR);
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
            result.error = error_text(errno);
            return result;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled < expected) {
        bytes.resize(filled);
    } else if (!read_rest(file.fd, bytes, filled, error_number)) {
        result.error = error_text(error_number);
        return result;
    }
    result.ok = true;
    result.bytes = std::move(bytes);
    return result;
}

WriteResult write_file_atomically(const std::string& path, std::string_view bytes,
                                  const FileWriteHooks& hooks) {
    if (path.empty()) return write_failure(error_text(ENOENT));
    const std::string target = replace_target(path);

    struct stat original {};
    bool original_exists = ::stat(target.c_str(), &original) == 0;
    if (original_exists && S_ISDIR(original.st_mode)) return write_failure(error_text(EISDIR));
    // Renaming over a file needs only the folder's permission; a file the user may not write
    // stays unwritten, as it would be when written in place.
    if (original_exists && ::access(target.c_str(), W_OK) != 0)
        return write_failure(error_text(errno));

    std::string temp_path;
    int error_number = 0;
    FdGuard temp{create_temporary(target, temp_path, error_number)};
    if (temp.fd < 0) return write_failure(error_text(error_number));

    // From here on every failure removes the temporary file and leaves the original alone.
    auto fail = [&](std::string error) {
        ::close(temp.fd);
        temp.fd = -1;
        ::unlink(temp_path.c_str());
        return write_failure(std::move(error));
    };

    if (original_exists) {
        // Keep the owner where allowed (it is not for other users' files unless root); the
        // permission bits are set afterwards because a change of owner may clear some of them.
        [[maybe_unused]] int owner_kept = ::fchown(temp.fd, original.st_uid, original.st_gid);
        if (::fchmod(temp.fd, original.st_mode & 07777) != 0) return fail(error_text(errno));
    }

    constexpr std::size_t chunk = 1 << 20;
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t size = std::min(chunk, bytes.size() - written);
        if (hooks.before_chunk) {
            std::string injected = hooks.before_chunk(written, size);
            if (!injected.empty()) return fail(std::move(injected));
        }
        ssize_t put = ::write(temp.fd, bytes.data() + written, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return fail(error_text(errno));
        }
        written += static_cast<std::size_t>(put);
    }
    if (::fsync(temp.fd) != 0) return fail(error_text(errno));
    if (hooks.before_rename) {
        std::string injected = hooks.before_rename();
        if (!injected.empty()) return fail(std::move(injected));
    }
    int closed = ::close(temp.fd);
    temp.fd = -1;
    if (closed != 0) {
        int close_error = errno;
        ::unlink(temp_path.c_str());
        return write_failure(error_text(close_error));
    }
    if (::rename(temp_path.c_str(), target.c_str()) != 0) {
        int rename_error = errno;
        ::unlink(temp_path.c_str());
        return write_failure(error_text(rename_error));
    }
    // Make the rename itself durable; a failure here no longer endangers either version.
    std::string folder = folder_part(target);
    FdGuard directory{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC)};
    if (directory.fd >= 0) ::fsync(directory.fd);
    return WriteResult{true, {}};
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
