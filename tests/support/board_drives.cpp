// The simulated board's drives and their console commands.
#include "support/board_drives.h"

#include "base/ascii.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* default_stamp = "14:07 05-03-2024";

// `path` ("a/b/../c") made plain; false when it climbs above the root.
bool normalise(const std::string& path, std::string& out) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find('/', start), path.size());
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    out.clear();
    for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
    return true;
}

std::string parent_of(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string leaf_of(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool same(const BoardDrive& drive, const std::string& a, const std::string& b) {
    return drive.case_sensitive ? a == b : upper_text(a) == upper_text(b);
}

std::string error(const std::string& message) {
    return "Error : " + message + "\r\n";
}

// A tiny BMP: what SAVE IMAGE writes of a 2 x 2 screen.
std::string bitmap() {
    std::string bmp = "BM";
    auto put32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&](unsigned v) {
        bmp.push_back(static_cast<char>(v & 0xFF));
        bmp.push_back(static_cast<char>(v >> 8));
    };
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(2);
    put16(1);
    put16(24);
    put32(0);
    put32(16);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    const char pixels[16] = {'\xff', 0, 0, 0, '\xff', 0, 0, 0, 0, 0, '\xff', 0, 0, 0, 0, 0};
    bmp.append(pixels, sizeof pixels);
    return bmp;
}

} // namespace

std::size_t BoardDrive::used() const {
    std::size_t total = 0;
    for (const auto& [path, bytes] : files) total += bytes.size();
    return total;
}

std::optional<std::string> BoardDrive::file_key(const std::string& path) const {
    for (const auto& [key, bytes] : files)
        if (same(*this, key, path)) return key;
    return std::nullopt;
}

std::optional<std::string> BoardDrive::folder_key(const std::string& path) const {
    if (path.empty()) return std::string();
    for (const std::string& key : folders)
        if (same(*this, key, path)) return key;
    return std::nullopt;
}

std::optional<std::string> board_string_value(std::string_view expression) {
    std::string value;
    std::string_view rest = trim_blanks(expression);
    for (;;) {
        if (rest.starts_with('"')) {
            std::size_t close = rest.find('"', 1);
            if (close == std::string_view::npos) close = rest.size(); // a line may end it
            value += rest.substr(1, close - 1);
            rest = trim_blanks(rest.substr(std::min(close + 1, rest.size())));
        } else if (upper_text(rest.substr(0, 5)) == "CHR$(") {
            std::size_t close = rest.find(')');
            if (close == std::string_view::npos) return std::nullopt;
            int code = std::atoi(std::string(rest.substr(5, close - 5)).c_str());
            if (code < 0 || code > 255) return std::nullopt;
            value.push_back(static_cast<char>(code));
            rest = trim_blanks(rest.substr(close + 1));
        } else {
            return std::nullopt;
        }
        if (rest.empty()) return value;
        if (rest.front() != '+') return std::nullopt;
        rest = trim_blanks(rest.substr(1));
    }
}

BoardDrives::BoardDrives(bool card) : card_(card) {
    a_.capacity = 581632 + 0; // what a fresh flash drive of an RP2040 board has free
    b_.capacity = 8u << 20;
    b_.case_sensitive = false;
}

bool BoardDrives::resolve(const std::string& name, char& drive, std::string& path,
                          std::string& error_text) {
    drive = current_;
    std::string rest = name;
    if (rest.size() >= 2 && rest[1] == ':') {
        drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
        rest.erase(0, 2);
    }
    if (drive != 'A' && drive != 'B') {
        error_text = "Could not find the path";
        return false;
    }
    if (drive == 'B' && !card_) {
        error_text = "B: drive not enabled";
        return false;
    }
    std::replace(rest.begin(), rest.end(), '\\', '/');
    std::string joined = rest.starts_with('/') ? rest : this->drive(drive).cwd + "/" + rest;
    if (!normalise(joined, path)) {
        error_text = "Could not find the path";
        return false;
    }
    return true;
}

bool BoardDrives::store(char letter, const std::string& path, const std::string& bytes) {
    BoardDrive& d = drive(letter);
    std::string key = d.file_key(path).value_or(path);
    std::size_t old = d.files.count(key) ? d.files[key].size() : 0;
    if (d.used() - old + bytes.size() > d.capacity) return false;
    d.files[key] = bytes;
    d.stamps[key] = stamp();
    return true;
}

DriveAnswer BoardDrives::files_listing() {
    BoardDrive& d = drive(current_);
    auto by_name = [](const std::string& a, const std::string& b) {
        return upper_text(a) < upper_text(b);
    };
    std::vector<std::string> folders, names;
    for (const std::string& folder : d.folders)
        if (same(d, parent_of(folder), d.cwd) || (d.cwd.empty() && parent_of(folder).empty()))
            folders.push_back(leaf_of(folder));
    for (const auto& [path, bytes] : d.files)
        if (parent_of(path) == d.cwd) names.push_back(leaf_of(path));
    std::sort(folders.begin(), folders.end(), by_name);
    std::sort(names.begin(), names.end(), by_name);
    DriveAnswer answer;
    answer.listing = true;
    answer.text = std::string(1, current_) + ":/" + d.cwd + "\r\n";
    std::size_t directories = folders.size();
    if (current_ == 'A') {
        answer.lines = {"   <DIR>  .", "   <DIR>  .."};
        directories += 2;
    }
    for (const std::string& folder : folders) answer.lines.push_back("   <DIR>  " + folder);
    for (const std::string& name : names) {
        std::string path = d.cwd.empty() ? name : d.cwd + "/" + name;
        std::string size = std::to_string(d.files[path].size());
        auto stamp = d.stamps.find(path);
        answer.lines.push_back((stamp == d.stamps.end() ? default_stamp : stamp->second) + " " +
                               std::string(10 - std::min<std::size_t>(size.size(), 10), ' ') +
                               size + "  " + name);
    }
    std::string summary =
        std::to_string(directories) + " directories, " + std::to_string(names.size()) + " files";
    if (current_ == 'A')
        summary +=
            ", " + std::to_string(d.capacity - std::min(d.used(), d.capacity)) + " bytes free";
    answer.lines.push_back(summary);
    return answer;
}

std::optional<DriveAnswer> BoardDrives::command(const std::string& line) {
    std::string word = upper_text(line);
    auto argument = [&](std::size_t length) {
        return board_string_value(std::string_view(line).substr(length));
    };
    auto said = [](std::string text) {
        DriveAnswer answer;
        answer.text = std::move(text);
        return answer;
    };
    auto target = [&](const std::optional<std::string>& name, char& drive, std::string& path,
                      std::string& text) {
        if (!name) {
            text = error("Syntax");
            return false;
        }
        if (!resolve(*name, drive, path, text)) {
            text = error(text);
            return false;
        }
        return true;
    };
    char drive = 'A';
    std::string path, text;
    if (word == "FILES" || word.starts_with("FILES ")) return files_listing();
    if (word == "PRINT CWD$") {
        return said(std::string(1, current_) + ":/" + this->drive(current_).cwd + "\r\n");
    }
    if (word == "PRINT DATE$") return said(date + "\r\n");
    if (word == "PRINT TIME$") return said(time + "\r\n");
    for (const char* clock : {"DATE$", "TIME$"}) {
        if (!word.starts_with(clock) || word.find('=') == std::string::npos) continue;
        std::optional<std::string> value = board_string_value(line.substr(line.find('=') + 1));
        if (!value) return said(error("Syntax"));
        (word.starts_with("DATE$") ? date : time) = *value;
        return said("");
    }
    if (word == "A:" || word == "B:" || word.starts_with("DRIVE ")) {
        std::optional<std::string> name =
            word.starts_with("DRIVE ") ? argument(6) : std::optional<std::string>(word);
        if (!name || name->size() < 2 || (*name)[1] != ':') return said(error("Syntax"));
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>((*name)[0])));
        if (letter == 'B' && !card_) return said(error("B: drive not enabled"));
        if (letter != 'A' && letter != 'B') return said(error("Syntax"));
        current_ = letter;
        return said("");
    }
    if (word.starts_with("CHDIR ")) {
        if (!target(argument(6), drive, path, text)) return said(text);
        if (drive != current_) return said(error("Only valid on current drive"));
        std::optional<std::string> key = this->drive(drive).folder_key(path);
        if (!key) return said(error("Could not find the path"));
        this->drive(drive).cwd = *key;
        return said("");
    }
    if (word.starts_with("MKDIR ")) {
        if (!target(argument(6), drive, path, text)) return said(text);
        BoardDrive& d = this->drive(drive);
        if (path.empty() || d.folder_key(path) || d.file_key(path))
            return said(error("Entry already exists"));
        if (!d.folder_key(parent_of(path))) return said(error("Could not find the path"));
        d.folders.insert(path);
        return said("");
    }
    if (word.starts_with("RMDIR ")) {
        if (!target(argument(6), drive, path, text)) return said(text);
        BoardDrive& d = this->drive(drive);
        std::optional<std::string> key = d.folder_key(path);
        if (!key || key->empty()) return said(error("Could not find the path"));
        for (const auto& [file, bytes] : d.files)
            if (file.starts_with(*key + "/")) return said(error("Dir is not empty"));
        for (const std::string& folder : d.folders)
            if (folder.starts_with(*key + "/")) return said(error("Dir is not empty"));
        d.folders.erase(*key);
        return said("");
    }
    if (word.starts_with("KILL ")) {
        if (!target(argument(5), drive, path, text)) return said(text);
        BoardDrive& d = this->drive(drive);
        if (d.folder_key(path) && !path.empty()) return said(error("Entry is a dir"));
        std::optional<std::string> key = d.file_key(path);
        if (!key) return said(error("Could not find the file"));
        d.files.erase(*key);
        d.stamps.erase(*key);
        return said("");
    }
    if (word.starts_with("RENAME ")) {
        std::size_t as = word.find(" AS ");
        if (as == std::string::npos) return said(error("Syntax"));
        char to_drive = 'A';
        std::string to;
        if (!target(board_string_value(std::string_view(line).substr(7, as - 7)), drive, path,
                    text) ||
            !target(board_string_value(std::string_view(line).substr(as + 4)), to_drive, to, text))
            return said(text);
        BoardDrive& d = this->drive(drive);
        if (to_drive != drive) return said(error("Only valid on current drive"));
        if (d.file_key(to) || d.folder_key(to)) return said(error("Entry already exists"));
        if (std::optional<std::string> key = d.file_key(path)) {
            d.files[to] = d.files[*key];
            d.stamps[to] = d.stamps.count(*key) ? d.stamps[*key] : default_stamp;
            d.files.erase(*key);
            d.stamps.erase(*key);
            return said("");
        }
        std::optional<std::string> folder = d.folder_key(path);
        if (!folder || folder->empty()) return said(error("Could not find the file"));
        d.folders.erase(*folder);
        d.folders.insert(to);
        return said("");
    }
    if (word.starts_with("SAVE IMAGE ")) {
        if (!target(argument(11), drive, path, text)) return said(text);
        if (!store(drive, path, bitmap())) return said(error("Disk full"));
        return said("");
    }
    return std::nullopt;
}
