// Recovery file format: "ZellRecovery 1" and key/value lines, a blank line, then path and text.
#include "documents/recovery_file.h"

#include "base/file_io.h"
#include "base/folders.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <signal.h>

namespace {

constexpr std::string_view magic = "ZellRecovery 1\n";

// FNV-1a over path and text: a cut-short or altered file does not pass.
std::uint64_t checksum(std::string_view path, std::string_view text) {
    std::uint64_t hash = 1469598103934665603ULL;
    auto add = [&hash](std::string_view bytes) {
        for (unsigned char byte : bytes) {
            hash ^= byte;
            hash *= 1099511628211ULL;
        }
    };
    add(path);
    add("\n");
    add(text);
    return hash;
}

// Reads "key value\n" at `at`; the value as a number in `base`.
template <typename Number>
bool read_field(std::string_view bytes, std::size_t& at, std::string_view key, Number& value,
                int base = 10) {
    if (bytes.substr(at, key.size()) != key || at + key.size() >= bytes.size() ||
        bytes[at + key.size()] != ' ')
        return false;
    at += key.size() + 1;
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos || end == at) return false;
    auto [stop, error] = std::from_chars(bytes.data() + at, bytes.data() + end, value, base);
    if (error != std::errc() || stop != bytes.data() + end) return false;
    at = end + 1;
    return true;
}

} // namespace

std::string encode_recovery(const RecoveryEntry& entry) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(checksum(entry.path, entry.text)));
    std::string bytes(magic);
    bytes += "pid " + std::to_string(entry.pid) + "\n";
    bytes += "time " + std::to_string(entry.time) + "\n";
    bytes += std::string("untitled ") + (entry.untitled ? "1" : "0") + "\n";
    bytes += "path " + std::to_string(entry.path.size()) + "\n";
    bytes += "text " + std::to_string(entry.text.size()) + "\n";
    bytes += std::string("check ") + hash + "\n\n";
    bytes += entry.path;
    bytes += entry.text;
    return bytes;
}

std::optional<RecoveryEntry> parse_recovery(std::string_view bytes) {
    if (bytes.substr(0, magic.size()) != magic) return std::nullopt;
    std::size_t at = magic.size();
    RecoveryEntry entry;
    int untitled = 0;
    std::size_t path_size = 0, text_size = 0;
    std::uint64_t hash = 0;
    if (!read_field(bytes, at, "pid", entry.pid) || !read_field(bytes, at, "time", entry.time) ||
        !read_field(bytes, at, "untitled", untitled) || untitled < 0 || untitled > 1 ||
        !read_field(bytes, at, "path", path_size) || !read_field(bytes, at, "text", text_size) ||
        !read_field(bytes, at, "check", hash, 16))
        return std::nullopt;
    if (at >= bytes.size() || bytes[at] != '\n') return std::nullopt;
    ++at;
    // Exactly the announced bytes follow: a longer or shorter file is not what was written.
    const std::size_t rest = bytes.size() - at;
    if (path_size > rest || text_size != rest - path_size || path_size == 0) return std::nullopt;
    entry.untitled = untitled == 1;
    entry.path = std::string(bytes.substr(at, path_size));
    entry.text = std::string(bytes.substr(at + path_size));
    if (checksum(entry.path, entry.text) != hash) return std::nullopt;
    return entry;
}

std::vector<RecoveryFile> recovery_files_to_offer(std::vector<RecoveryFile> files, long own_pid,
                                                  const std::function<bool(long pid)>& is_running) {
    std::erase_if(files, [&](const RecoveryFile& file) {
        // This process has written nothing yet at start, so a file under its own number was
        // left by an earlier process that had the same number.
        return !file.entry || (file.entry->pid != own_pid && is_running(file.entry->pid));
    });
    auto time_of = [](const RecoveryFile& file) { return file.entry ? file.entry->time : 0; };
    std::stable_sort(files.begin(), files.end(), [&](const RecoveryFile& a, const RecoveryFile& b) {
        return time_of(a) < time_of(b);
    });
    return files;
}

std::vector<RecoveryFile> read_recovery_folder(const std::string& folder) {
    std::vector<RecoveryFile> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = item.path().filename().string();
        if (name.size() < 5 || name.substr(name.size() - 5) != ".zrec") continue;
        RecoveryFile file{item.path().string(), std::nullopt};
        ReadResult read = read_whole_file(file.file);
        if (read.ok) file.entry = parse_recovery(read.bytes);
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const RecoveryFile& a, const RecoveryFile& b) { return a.file < b.file; });
    return files;
}

bool process_is_running(long pid) {
    if (pid <= 0) return false;
    // EPERM: the process exists but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string recovery_file_name(long pid, std::int64_t time, long serial) {
    return std::to_string(pid) + "-" + std::to_string(time) + "-" + std::to_string(serial) +
           ".zrec";
}

std::string recovery_summary_line(const RecoveryEntry& entry) {
    char when[32] = "?";
    const std::time_t time = static_cast<std::time_t>(entry.time);
    std::tm local{};
    if (localtime_r(&time, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return file_name_of(entry.path) + "  (" + when + ", " + std::to_string(entry.text.size()) +
           " bytes)";
}
