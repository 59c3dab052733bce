// Reading a program and its #INCLUDE files: their line records, kept from the last analysis
// where the text is the same, played in order.
#include "analysis/replay.h"

#include "tools/merge.h"

#include <algorithm>
#include <deque>

struct FileMemory {
    std::string path;
    std::string text;  // as its records were read
    std::string stamp; // of an include file when it was read; empty: unknown
    std::vector<LineRecord> records;
    bool used = false;
};

struct AnalysisMemory {
    std::string keyword_text;
    KeywordSet keywords;
    KeyTable keys;
    FileMemory program;
    std::deque<FileMemory> includes; // stay in place while more are added
};

namespace {

// No real program includes this many files; a runaway chain of includes stops here.
constexpr std::size_t most_files = 256;

std::size_t common_prefix(std::string_view a, std::string_view b) {
    const auto [at_a, at_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(at_a - a.begin());
}

std::size_t common_suffix(std::string_view a, std::string_view b, std::size_t most) {
    std::size_t n = 0;
    while (n < most && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
    return n;
}

// Brings the records of `file` up to `text`: the records of the unchanged start and end of the
// text are kept, the lines between read again.
void update_records(AnalysisMemory& memory, FileMemory& file, std::string_view text) {
    if (!file.records.empty() && file.text == text) return;
    const std::string_view old_text = file.text;
    const std::size_t prefix = file.records.empty() ? 0 : common_prefix(old_text, text);
    const std::size_t suffix =
        file.records.empty()
            ? 0
            : common_suffix(old_text, text, std::min(old_text.size(), text.size()) - prefix);
    std::vector<LineRecord> old = std::move(file.records);
    std::vector<LineRecord>& records = file.records;
    records.clear();
    records.reserve(old.size() + 1);
    // A record that ends before the first change is the same. One that ends right at it may not
    // be: a CR followed by an LF is one line end, and the end of the text ends a line.
    std::size_t old_at = 0, kept = 0;
    while (kept < old.size() && old_at + old[kept].length < prefix) {
        old_at += old[kept].length;
        records.push_back(std::move(old[kept++]));
    }
    // Past the change, an old record is taken again where a new one starts at the same place of
    // the unchanged end, inside a data block just when it was.
    const std::size_t same_from = old_text.size() - suffix;
    std::size_t at = old_at;
    std::size_t next_old = kept;
    while (at < text.size() || records.empty()) { // an empty text has one empty line
        const bool data = !records.empty() && records.back().data_after;
        // `at` in the new text is `at + old size - new size` in the old one.
        while (next_old < old.size() && old_at + text.size() < at + old_text.size())
            old_at += old[next_old++].length;
        if (next_old < old.size() && old_at >= same_from &&
            old_at + text.size() == at + old_text.size() && old[next_old].data_before == data) {
            for (; next_old < old.size(); ++next_old) records.push_back(std::move(old[next_old]));
            break;
        }
        records.push_back(read_record(memory.keywords, memory.keys, text, at, data));
        at += records.back().length;
    }
    file.text.assign(text);
}

FileMemory& include_memory(AnalysisMemory& memory, const std::string& path) {
    for (FileMemory& file : memory.includes)
        if (file.path == path) return file;
    memory.includes.push_back({});
    memory.includes.back().path = path;
    return memory.includes.back();
}

void read_include(Replay& r, AnalysisMemory& memory, const AnalysisInput& input,
                  const Replay::Include& include) {
    if (!input.files.exists || !input.files.read) return;
    const std::string& name = include.name;
    const std::string& from = r.analysis.files[r.file].path;
    IncludeFiles lookup;
    lookup.exists = input.files.exists;
    std::optional<std::string> found;
    if (!name.empty() && !from.empty())
        found = find_include_file(name, from, input.include_folder, lookup);
    else if (!name.empty() && !input.include_folder.empty())
        found = find_include_file(name, input.include_folder + "/.", "", lookup);
    if (!found) {
        r.problem("NOINCLUDE", include.at,
                  name + " is neither beside the program nor in the include folder");
        return;
    }
    for (const AnalysedFile& file : r.analysis.files)
        if (file.path == *found) return; // read already: its names are known
    if (r.analysis.files.size() >= most_files) return;
    FileMemory& known = include_memory(memory, *found);
    known.used = true;
    const std::string stamp = input.files.stamp ? input.files.stamp(*found) : std::string();
    if (stamp.empty() || stamp != known.stamp || known.records.empty()) {
        std::optional<std::string> text = input.files.read(*found);
        if (!text) {
            r.problem("NOINCLUDE", include.at, name + " could not be read");
            known.stamp.clear();
            return;
        }
        r.analysis.files.push_back({*found, std::move(*text), {}, static_cast<long>(r.file)});
        known.stamp = stamp;
    } else {
        r.analysis.files.push_back({*found, known.text, {}, static_cast<long>(r.file)});
    }
}

void play_file(Replay& r, AnalysisMemory& memory, const AnalysisInput& input, std::size_t file) {
    FileMemory& records =
        file == 0 ? memory.program : include_memory(memory, r.analysis.files[file].path);
    update_records(memory, records, r.analysis.files[file].text);
    const std::size_t keys = memory.keys.keys.size();
    for (auto* by_key : {&r.routines, &r.labels, &r.line_numbers, &r.globals})
        by_key->resize(keys, no_definition);
    r.file = file;
    std::vector<std::size_t> line_starts;
    SourceSpan data_header;
    std::size_t start = 0, line = 0;
    for (const LineRecord& record : records.records) {
        play_record(r, record, start, line, data_header);
        for (const std::size_t line_start : record.line_starts)
            line_starts.push_back(start + line_start);
        for (const Replay::Include& include : r.includes) read_include(r, memory, input, include);
        r.includes.clear();
        line += record.line_starts.size();
        start += record.length;
    }
    const std::string& text = r.analysis.files[file].text;
    if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        line_starts.push_back(text.size()); // the empty last line
    if (!records.records.empty() && records.records.back().data_after)
        r.problem("UNCLOSED", data_header, "The block has no END line");
    close_file_blocks(r);
    r.analysis.files[file].line_starts = std::move(line_starts);
}

} // namespace

ProgramAnalysis analyse_program(const AnalysisInput& input, AnalysisCache& cache) {
    if (!cache.memory || cache.memory->keyword_text != input.keywords) {
        cache.memory = std::make_shared<AnalysisMemory>();
        cache.memory->keyword_text = input.keywords;
        cache.memory->keywords = make_keyword_set(input.keywords);
    }
    AnalysisMemory& memory = *cache.memory;
    for (FileMemory& file : memory.includes) file.used = false;

    ProgramAnalysis analysis;
    analysis.files.push_back({input.path.empty() ? std::string() : clean_include_path(input.path),
                              std::string(input.text),
                              {},
                              -1});
    Replay reading{analysis, memory.keywords, memory.keys};
    reading.pending.reserve(memory.program.records.size() * 4);
    for (std::size_t file = 0; file < analysis.files.size(); ++file)
        play_file(reading, memory, input, file);
    std::erase_if(memory.includes, [](const FileMemory& file) { return !file.used; });
    resolve_uses(reading);
    apply_ignore_comments(analysis);
    std::stable_sort(
        analysis.problems.begin(), analysis.problems.end(), [](const Problem& a, const Problem& b) {
            return a.at.file != b.at.file ? a.at.file < b.at.file : a.at.offset < b.at.offset;
        });
    return analysis;
}

ProgramAnalysis analyse_program(const AnalysisInput& input) {
    AnalysisCache cache;
    return analyse_program(input, cache);
}
