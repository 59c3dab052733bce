// Merging included files into one program.
#include "tools/merge.h"

#include "base/ascii.h"
#include "tools/data_blocks.h"
#include "tools/transform.h"

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Far deeper than any real program nests its includes.
constexpr std::size_t deepest_nesting = 64;

} // namespace

IncludeLine read_include_line(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && is_blank(line[i])) ++i;
    line.remove_prefix(i);
    constexpr std::string_view word = "#INCLUDE";
    if (!starts_with_upper(line, word)) return {};
    line.remove_prefix(word.size());
    if (!line.empty() && !is_blank(line.front()) && line.front() != '"') return {};
    IncludeLine include{true, false, {}};
    while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() != '"') return include;
    const std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos) return include;
    include.closed = true;
    include.name = line.substr(1, close - 1);
    return include;
}

namespace {

std::string clean(const fs::path& path) {
    return path.lexically_normal().generic_string();
}

struct Merger {
    const IncludeFiles& files;
    const std::string& include_folder;
    std::string_view line_end;
    std::string out;
    std::vector<std::string> open_files; // the chain of files being merged, outermost first
    std::set<std::string> merged;
    std::size_t included_at = 0; // the line of the include being merged
    MergeResult result;

    bool fail(const std::string& file, std::size_t line, std::string reason) {
        result.file = file;
        result.line = line + 1;
        result.reason = std::move(reason);
        return false;
    }

    std::optional<std::string> find(const std::string& name, const std::string& from) {
        return find_include_file(name, from, include_folder, files);
    }

    bool append_line(std::string_view line) {
        if (out.size() + line.size() + line_end.size() > largest_merged_program) return false;
        out.append(line);
        out.append(line_end);
        return true;
    }

    bool too_large(const std::string& file, std::size_t line) {
        return fail(file, line,
                    "the merged program would be larger than " +
                        std::to_string(largest_merged_program >> 20) + " MB");
    }

    // Merges the lines of `text`, the contents of `path`.
    bool merge(std::string_view text, const std::string& path) {
        open_files.push_back(path);
        if (open_files.size() > deepest_nesting) {
            // Only links that lead back into a folder can get here: each path is new.
            return fail(open_files[open_files.size() - 2], included_at,
                        "the includes are nested deeper than " + std::to_string(deepest_nesting));
        }
        const std::vector<std::string_view> lines = split_program_lines(text);
        DataBlockTracker blocks;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const std::string_view line = lines[n];
            const IncludeLine include =
                blocks.next(line) == BlockLine::code ? read_include_line(line) : IncludeLine{};
            if (!include.is_include) {
                if (!append_line(line)) return too_large(path, n);
                continue;
            }
            if (!include.closed) return fail(path, n, "the file name has no closing quote");
            const std::string name(include.name);
            if (name.empty()) return fail(path, n, "the file name is empty");
            std::optional<std::string> found = find(name, path);
            if (!found)
                return fail(
                    path, n,
                    name + " was found neither beside " + fs::path(path).filename().string() +
                        (include_folder.empty() ? std::string()
                                                : " nor in the include folder " + include_folder));
            for (const std::string& open : open_files)
                if (open == *found) {
                    std::string chain;
                    for (const std::string& file : open_files)
                        chain += fs::path(file).filename().string() + " > ";
                    return fail(path, n, "the includes make a cycle: " + chain + name);
                }
            if (merged.count(*found)) {
                if (!append_line("' ==== " + name + " is merged above ====")) {
                    return too_large(path, n);
                }
                continue;
            }
            ReadResult file = files.read(*found);
            if (!file.ok) return fail(path, n, name + " could not be read: " + file.error);
            if (file.bytes.size() > largest_include_file)
                return fail(path, n,
                            name + " is larger than " + std::to_string(largest_include_file >> 20) +
                                " MB");
            if (file.bytes.find('\0') != std::string::npos)
                return fail(path, n, name + " is not a program: it holds binary data");
            if (!append_line("' ==== start of " + name + " ====")) return too_large(path, n);
            included_at = n;
            if (!merge(file.bytes, *found)) return false;
            if (!append_line("' ==== end of " + name + " ====")) return too_large(path, n);
            merged.insert(*found);
            ++result.merged;
        }
        open_files.pop_back();
        return true;
    }
};

} // namespace

std::optional<std::string> find_include_file(std::string name, const std::string& from,
                                             const std::string& include_folder,
                                             const IncludeFiles& files) {
    for (char& c : name)
        if (c == '\\') c = '/';
    const fs::path named(name);
    if (named.is_absolute()) {
        if (files.exists(clean(named))) return clean(named);
        return std::nullopt;
    }
    const std::string beside = clean(fs::path(from).parent_path() / named);
    if (files.exists(beside)) return beside;
    if (!include_folder.empty()) {
        const std::string in_folder = clean(fs::path(include_folder) / named);
        if (files.exists(in_folder)) return in_folder;
    }
    return std::nullopt;
}

std::string clean_include_path(const std::string& path) {
    return clean(fs::path(path));
}

IncludeFiles disk_include_files() {
    IncludeFiles files;
    files.exists = [](const std::string& path) { return file_exists(path); };
    files.read = [](const std::string& path) {
        if (is_directory(path)) return ReadResult{false, {}, "it is a folder"};
        if (file_size(path) > static_cast<std::int64_t>(largest_include_file))
            return ReadResult{false,
                              {},
                              "it is larger than " + std::to_string(largest_include_file >> 20) +
                                  " MB"};
        return read_whole_file(path);
    };
    return files;
}

MergeResult merge_includes(std::string_view text, const std::string& program_path,
                           const std::string& include_folder, const IncludeFiles& files,
                           std::string_view line_end) {
    Merger merger{files, include_folder, line_end, {}, {}, {}, 0, {}};
    merger.out.reserve(text.size() + text.size() / 4);
    const std::string main_path = clean(fs::path(program_path));
    if (!merger.merge(text, main_path)) return std::move(merger.result);
    merger.result.ok = true;
    merger.result.text = std::move(merger.out);
    return std::move(merger.result);
}

bool has_include_lines(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (read_include_line(text.substr(start, end - start)).is_include) return true;
        start = end + 1;
    }
    return false;
}
