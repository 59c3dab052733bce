// Reading a program and its #INCLUDE files line by line.
#include "analysis/reading.h"

#include "tools/data_blocks.h"
#include "tools/line_scan.h"
#include "tools/merge.h"

#include <algorithm>

namespace {

// No real program includes this many files; a runaway chain of includes stops here.
constexpr std::size_t most_files = 256;

// The first character the board drops, and the line's length in characters.
void check_characters(Reading& r, std::string_view line, std::size_t line_offset,
                      std::size_t line_index) {
    std::size_t characters = 0, cut = 0;
    bool reported = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if ((c & 0xC0) == 0x80) continue; // inside a UTF-8 character
        if (++characters == 255) cut = i;
        if (reported || c == '\t' || (c >= 0x20 && c < 0x7F)) continue;
        std::size_t length = 1;
        while (c >= 0xC0 && i + length < line.size() &&
               (static_cast<unsigned char>(line[i + length]) & 0xC0) == 0x80)
            ++length;
        r.problem("BADCHAR", {r.file, line_index, line_offset + i, length},
                  "The board drops this character when the program is sent");
        reported = true;
    }
    if (characters >= 255)
        r.problem("LONGLINE", {r.file, line_index, line_offset + cut, line.size() - cut},
                  "The line has " + std::to_string(characters) +
                      " characters: the board takes at most 254");
}

void read_include(Reading& r, const AnalysisInput& input, IncludeLine include,
                  std::size_t line_offset, std::size_t line_index, std::string_view line) {
    const SourceSpan at{r.file, line_index, line_offset, line.size()};
    if (!include.closed) {
        r.problem("NOINCLUDE", at, "The file name has no closing quote");
        return;
    }
    if (!input.files.exists || !input.files.read) return;
    const std::string name(include.name);
    const std::string& from = r.analysis.files[r.file].path;
    IncludeFiles lookup;
    lookup.exists = input.files.exists;
    std::optional<std::string> found;
    if (!name.empty() && !from.empty())
        found = find_include_file(name, from, input.include_folder, lookup);
    else if (!name.empty() && !input.include_folder.empty())
        found = find_include_file(name, input.include_folder + "/.", "", lookup);
    if (!found) {
        r.problem("NOINCLUDE", at,
                  name + " is neither beside the program nor in the include folder");
        return;
    }
    for (const AnalysedFile& file : r.analysis.files)
        if (file.path == *found) return; // read already: its names are known
    if (r.analysis.files.size() >= most_files) return;
    std::optional<std::string> text = input.files.read(*found);
    if (!text) {
        r.problem("NOINCLUDE", at, name + " could not be read");
        return;
    }
    r.analysis.files.push_back({*found, std::move(*text), {}, static_cast<long>(r.file)});
    r.text = r.analysis.files[r.file].text;
}

// CSUB and CFUNCTION headers name a routine whose arguments the analysis cannot count.
void read_data_header(Reading& r, std::string_view line, std::size_t start, std::size_t line_offset,
                      std::size_t line_index, std::vector<CodeToken>& tokens) {
    tokens.clear();
    tokenize_code_line(line, start, line_offset, line_index, tokens);
    if (tokens.size() < 2 || tokens[1].kind != CodeTokenKind::word) return;
    const bool function = r.is_word(tokens[0], "cfunction");
    if (!function && !r.is_word(tokens[0], "csub")) return;
    Definition definition;
    definition.kind = function ? NameKind::function : NameKind::sub;
    definition.name = r.text_of(tokens[1]);
    name_key(definition.name, definition.key);
    definition.at = r.span_of(tokens[1]);
    definition.fixed_parameters = false;
    if (r.routines.count(definition.key)) {
        r.problem("DUPSUB", definition.at, definition.name + " is already defined");
        return;
    }
    const std::string key = definition.key;
    r.routines.emplace(key, r.define(std::move(definition)));
}

void read_label(Reading& r, const CodeToken& name) {
    std::string key;
    name_key(r.text_of(name), key);
    if (r.labels.count(key)) {
        r.problem("DUPLABEL", r.span_of(name),
                  "The label " + std::string(r.text_of(name)) + " is already defined");
        return;
    }
    Definition definition;
    definition.kind = NameKind::label;
    definition.name = r.text_of(name);
    definition.key = key;
    definition.at = r.span_of(name);
    r.labels.emplace(std::move(key), r.define(std::move(definition)));
}

void read_line_number(Reading& r, std::string_view number, std::size_t offset,
                      std::size_t line_index) {
    std::string key(line_number_key(number));
    if (r.line_numbers.count(key)) return;
    Definition definition;
    definition.kind = NameKind::line_number;
    definition.name = number;
    definition.key = key;
    definition.at = {r.file, line_index, offset, number.size()};
    r.line_numbers.emplace(std::move(key), r.define(std::move(definition)));
}

void read_file(Reading& r, const AnalysisInput& input, std::size_t file) {
    r.file = file;
    r.text = r.analysis.files[file].text;
    std::vector<std::size_t> line_starts;
    std::vector<CodeToken> tokens;
    DataBlockTracker data;
    SourceSpan data_header;
    bool continues = false;
    std::size_t first_statement = 0;
    std::size_t offset = 0, index = 0;
    while (offset < r.text.size() || (offset == 0 && index == 0)) {
        std::size_t end = r.text.find_first_of("\r\n", offset);
        if (end == std::string_view::npos) end = r.text.size();
        const std::string_view line = r.text.substr(offset, end - offset);
        line_starts.push_back(offset);
        check_characters(r, line, offset, index);
        std::size_t start = 0;
        bool code = true;
        if (!continues) {
            tokens.clear();
            first_statement = 0;
            start = statement_start(line);
            const BlockLine kind = data.next(line.substr(start));
            if (kind == BlockLine::opens) {
                data_header = {file, index, offset + start, line.size() - start};
                read_data_header(r, line, start, offset, index, tokens);
                tokens.clear();
            }
            code = kind == BlockLine::code;
            const std::string_view number = leading_line_number(line);
            if (code && !number.empty())
                read_line_number(r, number, offset + (number.data() - line.data()), index);
            if (code) {
                const IncludeLine include = read_include_line(line.substr(start));
                if (include.is_include) {
                    read_include(r, input, include, offset, index, line);
                    code = false;
                }
            }
        }
        if (code) {
            const CodeLine read = tokenize_code_line(line, start, offset, index, tokens);
            if (read.open_string)
                r.problem("STRING", {file, index, offset + read.string_at, 1},
                          "The string has no closing quote");
            if (!continues && tokens.size() >= 2 && tokens[0].kind == CodeTokenKind::word &&
                r.text[tokens[1].offset] == ':' && !tokens[1].blank_before &&
                !r.is_keyword(tokens[0])) {
                read_label(r, tokens[0]);
                first_statement = 2;
            }
            continues = continues_on_next_line(line, start);
            if (continues && !tokens.empty() && r.text_of(tokens.back()) == "_") tokens.pop_back();
            if (!continues && first_statement <= tokens.size())
                read_statements(r, tokens.data() + first_statement, tokens.data() + tokens.size());
        }
        if (end == r.text.size()) {
            offset = end;
            break;
        }
        offset = end + (r.text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++index;
        if (offset == r.text.size()) line_starts.push_back(offset); // the empty last line
    }
    if (continues && first_statement <= tokens.size())
        read_statements(r, tokens.data() + first_statement, tokens.data() + tokens.size());
    if (data.inside) r.problem("UNCLOSED", data_header, "The block has no END line");
    close_file_blocks(r);
    r.analysis.files[file].line_starts = std::move(line_starts);
}

} // namespace

ProgramAnalysis analyse_program(const AnalysisInput& input) {
    ProgramAnalysis analysis;
    const KeywordSet keywords = make_keyword_set(input.keywords);
    Reading reading{analysis, keywords, {}, {}, {}, {}, {}, {}, {}, 0, {}, -1, {}, false};
    analysis.files.push_back({input.path.empty() ? std::string() : clean_include_path(input.path),
                              std::string(input.text),
                              {},
                              -1});
    for (std::size_t file = 0; file < analysis.files.size(); ++file)
        read_file(reading, input, file);
    resolve_uses(reading);
    apply_ignore_comments(analysis);
    std::stable_sort(
        analysis.problems.begin(), analysis.problems.end(), [](const Problem& a, const Problem& b) {
            return a.at.file != b.at.file ? a.at.file < b.at.file : a.at.offset < b.at.offset;
        });
    return analysis;
}
