// Writing a file so that it is never left torn and keeps what it was: its hard links, owner,
// group, permission bits and extended attributes.
//
// The normal road writes a new file beside the old one and renames it into place. When the
// rename would lose something (the file has several names, the new file cannot take its owner,
// group, mode bits or attributes), the bytes are written into the existing file instead, after
// a safety copy of the old contents that is removed once the new ones are on disk.
#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace {

constexpr std::size_t chunk_size = std::size_t{1} << 20;
constexpr std::string_view temporary_mark = ".zell-tmp-";
constexpr std::string_view safety_mark = ".zell-backup-";

WriteResult failure(std::string error) {
    return WriteResult{false, std::move(error)};
}

struct FdGuard {
    int fd = -1;
    ~FdGuard() {
        if (fd >= 0) ::close(fd);
    }
};

std::string folder_part(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string file_name_part(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to `path` should replace: the file a symbolic link (or a chain of them)
// names, else `path` itself. A link to a file that does not exist yet names the file to create,
// so the link stays a link. Empty when the links go round in a loop.
std::string replace_target(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char resolved[PATH_MAX];
        if (::realpath(current.c_str(), resolved) != nullptr) return resolved;
        char named[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), named, sizeof named);
        if (length <= 0 || length >= ssize_t(sizeof named)) return {};
        const std::string next(named, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : folder_part(current) + next;
    }
    return {};
}

std::string helper_name(const std::string& target, std::string_view mark) {
    return folder_part(target) + "." + file_name_part(target) + std::string(mark) +
           std::to_string(static_cast<long>(::getpid()));
}

bool process_is_gone(long pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The process number recorded in a helper file's name after `mark`, or 0.
long helper_pid(std::string_view name, std::string_view mark) {
    std::size_t at = name.rfind(mark);
    if (at == std::string_view::npos || name.empty() || name.front() != '.') return 0;
    long pid = 0;
    for (char c : name.substr(at + mark.size())) {
        if (c < '0' || c > '9') break;
        pid = pid > 100000000 ? pid : pid * 10 + (c - '0');
    }
    return pid;
}

// Writes all of `bytes` from the descriptor's current position, asking the hook before each
// chunk.
std::string write_all(int fd, std::string_view bytes, const FileWriteHooks& hooks) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t size = std::min(chunk_size, bytes.size() - written);
        if (hooks.before_chunk) {
            std::string injected = hooks.before_chunk(written, size);
            if (!injected.empty()) return injected;
        }
        ssize_t put = ::write(fd, bytes.data() + written, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno_text(errno);
        }
        written += static_cast<std::size_t>(put);
    }
    return {};
}

void sync_folder(const std::string& target) {
    std::string folder = folder_part(target);
    FdGuard directory{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC)};
    if (directory.fd >= 0) ::fsync(directory.fd);
}

// Copies the extended attributes of `from` to `to`; false when one could not be kept.
bool copy_attributes(int from, int to) {
#ifdef __linux__
    ssize_t size = ::flistxattr(from, nullptr, 0);
    if (size <= 0) return size == 0 || errno == ENOTSUP;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = ::flistxattr(from, names.data(), names.size());
    if (size < 0) return false;
    for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
        const char* name = names.data() + at;
        at += std::char_traits<char>::length(name) + 1;
        ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        if (length < 0) return false;
        std::vector<char> value(static_cast<std::size_t>(length));
        length = ::fgetxattr(from, name, value.data(), value.size());
        if (length < 0 ||
            ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(length), 0) != 0)
            return false;
    }
#else
    (void)from;
    (void)to;
#endif
    return true;
}

enum class Outcome { written, failed, needs_in_place };

struct Attempt {
    Outcome outcome;
    std::string error;
};

// The rename road. Gives needs_in_place, with nothing changed, when the new file could not take
// everything the old one has.
Attempt write_by_rename(const std::string& target, const struct stat* original,
                        std::string_view bytes, const FileWriteHooks& hooks,
                        unsigned new_file_mode) {
    const std::string stem = helper_name(target, temporary_mark) + "-";
    std::string temp_path;
    FdGuard temp;
    for (int attempt = 0; attempt < 1000 && temp.fd < 0; ++attempt) {
        temp_path = stem + std::to_string(attempt);
        const std::string injected = hooks.before_create ? hooks.before_create() : std::string();
        errno = EACCES;
        // The umask applies to new files.
        if (injected.empty())
            temp.fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                             static_cast<mode_t>(new_file_mode));
        if (temp.fd >= 0 || errno == EEXIST) continue;
        // A folder where no new file can be made: a file the user may write is written in
        // place instead.
        if (original && (errno == EACCES || errno == EPERM || errno == EROFS))
            return {Outcome::needs_in_place, {}};
        return {Outcome::failed, injected.empty() ? errno_text(errno) : injected};
    }
    if (temp.fd < 0) return {Outcome::failed, errno_text(EEXIST)};
    auto give_up = [&](Outcome outcome, std::string error) {
        ::close(temp.fd);
        temp.fd = -1;
        ::unlink(temp_path.c_str());
        return Attempt{outcome, std::move(error)};
    };

    if (original) {
        [[maybe_unused]] int owner = ::fchown(temp.fd, original->st_uid, original->st_gid);
        struct stat made {};
        FdGuard old{::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
        const bool kept = ::fstat(temp.fd, &made) == 0 && made.st_uid == original->st_uid &&
                          made.st_gid == original->st_gid && old.fd >= 0 &&
                          copy_attributes(old.fd, temp.fd);
        if (!kept) return give_up(Outcome::needs_in_place, {});
    }

    std::string error = write_all(temp.fd, bytes, hooks);
    if (!error.empty()) return give_up(Outcome::failed, error);
    // The mode bits after the contents: writing clears the set-user-ID and set-group-ID bits.
    if (original) {
        ::fchmod(temp.fd, original->st_mode & 07777);
        struct stat made {};
        if (::fstat(temp.fd, &made) != 0 || (made.st_mode & 07777) != (original->st_mode & 07777))
            return give_up(Outcome::needs_in_place, {});
    }
    if (::fsync(temp.fd) != 0) return give_up(Outcome::failed, errno_text(errno));
    if (hooks.before_rename) {
        std::string injected = hooks.before_rename();
        if (!injected.empty()) return give_up(Outcome::failed, injected);
    }
    int closed = ::close(temp.fd);
    temp.fd = -1;
    if (closed != 0 || ::rename(temp_path.c_str(), target.c_str()) != 0) {
        int error_number = errno;
        ::unlink(temp_path.c_str());
        return {Outcome::failed, errno_text(error_number)};
    }
    sync_folder(target);
    return {Outcome::written, {}};
}

bool read_all(int fd, std::string& out) {
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
}

// Puts `bytes` as the whole contents of the open file. The file takes its final size first, so
// a write cut short never leaves the new text followed by the tail of a longer old text; the
// mode bits come back last, as writing clears the set-user-ID and set-group-ID bits.
std::string overwrite(int fd, std::string_view bytes, mode_t mode, const FileWriteHooks& hooks,
                      bool final_step_hook) {
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno_text(errno);
    if (::lseek(fd, 0, SEEK_SET) != 0) return errno_text(errno);
    std::string error = write_all(fd, bytes, hooks);
    if (!error.empty()) return error;
    ::fchmod(fd, mode);
    if (::fsync(fd) != 0) return errno_text(errno);
    if (final_step_hook && hooks.before_rename) return hooks.before_rename();
    return {};
}

// The in-place road: the old contents go to a safety copy beside the file (and stay in memory),
// the new bytes into the file itself. On failure the old contents are put back. A copy left by
// a write that was killed is offered by leftover_safety_copies.
WriteResult write_in_place(const std::string& target, std::string_view bytes,
                           const FileWriteHooks& hooks) {
    FdGuard file{::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) return failure(errno_text(errno));
    struct stat original {};
    if (::fstat(file.fd, &original) != 0) return failure(errno_text(errno));
    const mode_t mode = original.st_mode & 07777;
    std::string old;
    if (!read_all(file.fd, old)) return failure(errno_text(errno));

    const std::string safety_path = helper_name(target, safety_mark);
    bool safety_kept = false;
    {
        FdGuard safety{::open(safety_path.c_str(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600)};
        // Without room for the copy the write still goes ahead: the old contents stay in memory
        // to be put back if it fails.
        safety_kept =
            safety.fd >= 0 && write_all(safety.fd, old, {}).empty() && ::fsync(safety.fd) == 0;
        if (safety.fd >= 0 && !safety_kept) ::unlink(safety_path.c_str());
        if (safety_kept) sync_folder(safety_path);
    }

    std::string error = overwrite(file.fd, bytes, mode, hooks, true);
    if (error.empty()) {
        if (safety_kept) ::unlink(safety_path.c_str());
        return WriteResult{true, {}};
    }
    if (overwrite(file.fd, old, mode, {}, false).empty()) {
        if (safety_kept) ::unlink(safety_path.c_str());
        return failure(error);
    }
    return failure(error + (safety_kept ? "; the old contents are kept in " + safety_path
                                        : std::string("; the file may be damaged")));
}

} // namespace

void remove_stale_helper_files(const std::string& folder) {
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) return;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(directory)) {
        std::string_view name = entry->d_name;
        if (process_is_gone(helper_pid(name, temporary_mark)))
            ::unlink((prefix + std::string(name)).c_str());
    }
    ::closedir(directory);
}

std::vector<LeftoverCopy> leftover_safety_copies(const std::string& folder) {
    std::vector<LeftoverCopy> copies;
    DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!directory) return copies;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(directory)) {
        std::string_view name = entry->d_name;
        const std::size_t at = name.rfind(safety_mark);
        if (at == std::string_view::npos || at < 2 ||
            !process_is_gone(helper_pid(name, safety_mark)))
            continue;
        LeftoverCopy copy;
        copy.copy_path = prefix + std::string(name);
        copy.target_path = prefix + std::string(name.substr(1, at - 1));
        struct stat info {};
        if (::lstat(copy.copy_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        copy.size = static_cast<std::int64_t>(info.st_size);
        copy.mtime = static_cast<std::int64_t>(info.st_mtim.tv_sec);
        copies.push_back(std::move(copy));
    }
    ::closedir(directory);
    std::sort(copies.begin(), copies.end(), [](const LeftoverCopy& a, const LeftoverCopy& b) {
        return a.copy_path < b.copy_path;
    });
    return copies;
}

WriteResult write_file_safely(const std::string& path, std::string_view bytes,
                              const FileWriteHooks& hooks, unsigned new_file_mode) {
    if (path.empty()) return failure(errno_text(ENOENT));
    const std::string target = replace_target(path);
    if (target.empty()) return failure(errno_text(ELOOP));
    remove_stale_helper_files(folder_part(target));

    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && S_ISDIR(original.st_mode)) return failure(errno_text(EISDIR));
    if (exists && !S_ISREG(original.st_mode)) return failure("Not a regular file");
    // A file the user may not write stays unwritten, though the folder would allow a rename.
    if (exists && ::access(target.c_str(), W_OK) != 0) return failure(errno_text(errno));

    WriteResult result;
    Attempt attempt{Outcome::needs_in_place, {}};
    if (!exists || original.st_nlink <= 1)
        attempt =
            write_by_rename(target, exists ? &original : nullptr, bytes, hooks, new_file_mode);
    if (attempt.outcome == Outcome::needs_in_place)
        result = write_in_place(target, bytes, hooks);
    else
        result = WriteResult{attempt.outcome == Outcome::written, attempt.error};
    // A safety copy a killed write of this file left behind is outdated by a good write.
    if (result.ok) {
        const std::string stale =
            folder_part(target) + "." + file_name_part(target) + std::string(safety_mark);
        DIR* directory = ::opendir(folder_part(target).empty() ? "." : folder_part(target).c_str());
        if (directory) {
            while (const dirent* entry = ::readdir(directory)) {
                std::string name = folder_part(target) + entry->d_name;
                if (name.rfind(stale, 0) == 0 &&
                    process_is_gone(helper_pid(entry->d_name, safety_mark)))
                    ::unlink(name.c_str());
            }
            ::closedir(directory);
        }
    }
    return result;
}
