// What the editor knows about a program and its #INCLUDE files: the routines, labels, line
// numbers, variables and constants it defines, every use of each name, and the problems the
// board would stop at. Pure functions over UTF-8 text.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A stretch of one file's text.
struct SourceSpan {
    std::size_t file = 0;   // index into ProgramAnalysis::files
    std::size_t line = 0;   // 0-based
    std::size_t offset = 0; // byte offset in the file's text
    std::size_t length = 0;
    bool operator==(const SourceSpan&) const = default;
};

enum class NameKind { sub, function, label, line_number, variable, array, constant, parameter };

struct Definition {
    NameKind kind = NameKind::variable;
    std::string name;             // as first written
    std::string key;              // lower case, without a type suffix: how uses find it
    long scope = -1;              // the routine (index into definitions) it is local to; -1: global
    SourceSpan at;                // the name where it is defined
    std::size_t parameters = 0;   // SUBs and FUNCTIONs
    bool fixed_parameters = true; // false for CSUBs, whose parameter count is not read
    bool declared = true;         // false for a variable made by its first use
    long routine = -1;            // labels: the SUB or FUNCTION (index) they stand in; -1: none
    bool operator==(const Definition&) const = default;
};

struct NameUse {
    std::size_t definition = 0;
    SourceSpan at;
    bool sets = false; // assigned, read into, or a FOR variable
    bool operator==(const NameUse&) const = default;
};

enum class Severity { problem, hint };

struct Problem {
    std::string code; // stable: what "' ignore: CODE" names
    Severity severity = Severity::problem;
    SourceSpan at;
    std::string message;
    bool operator==(const Problem&) const = default;
};

struct AnalysedFile {
    std::string path; // empty for an unsaved program
    std::string text;
    std::vector<std::size_t> line_starts; // the offset of each line
    long included_from = -1;              // the file whose #INCLUDE line brought it in
    bool operator==(const AnalysedFile&) const = default;
};

struct ProgramAnalysis {
    std::vector<AnalysedFile> files; // the program first, then its includes as they are met
    std::vector<Definition> definitions;
    std::vector<NameUse> uses; // in file order, then text order
    std::vector<Problem> problems;
    bool explicit_option = false;
    bool operator==(const ProgramAnalysis&) const = default;
};

struct SourceAccess {
    // True when a file or folder is at `path`.
    std::function<bool(const std::string& path)> exists;
    // The text of the file at `path` as UTF-8; nothing when it cannot be read.
    std::function<std::optional<std::string>(const std::string& path)> read;
    // Something that changes whenever the file at `path` changes (its size and time), so that an
    // include file is read again only then; empty, or no function: read it every time.
    std::function<std::string(const std::string& path)> stamp;
};

struct AnalysisInput {
    std::string_view text; // the program, UTF-8
    std::string path;      // where it is saved; empty when it is not
    std::string include_folder;
    SourceAccess files;        // may be empty: includes are then not read
    std::string_view keywords; // the language's words, each followed by a blank, any case
};

// Reads the program and its includes and checks them.
ProgramAnalysis analyse_program(const AnalysisInput& input);

// What an analysis keeps for the next one: each file's lines as read, so that only the lines that
// changed are read again. The result is the same as from an analysis without it.
struct AnalysisMemory;
struct AnalysisCache {
    std::shared_ptr<AnalysisMemory> memory;
};
ProgramAnalysis analyse_program(const AnalysisInput& input, AnalysisCache& cache);

// The definition of the name at `offset` of `file` (a use or the definition itself), if any.
std::optional<std::size_t> definition_at(const ProgramAnalysis& analysis, std::size_t file,
                                         std::size_t offset);

// The definition and every use of definition `index`, in file and text order.
std::vector<SourceSpan> spans_of(const ProgramAnalysis& analysis, std::size_t index);

// One entry of the program's outline: a SUB, FUNCTION or label, or an include file's group.
struct OutlineEntry {
    std::string text; // "SUB Name", "FUNCTION Name", "Label:", or the include file's name
    SourceSpan at;    // where choosing it goes
    std::vector<OutlineEntry> children;
};

// The program's structure: its labels outside routines and its SUBs and FUNCTIONs (CSUBs too),
// each with the labels inside it, in text order; then each include file as a group of the same.
std::vector<OutlineEntry> program_outline(const ProgramAnalysis& analysis);

// The problem codes, with a line of text about each.
struct ProblemCode {
    const char* code;
    const char* about;
};
std::span<const ProblemCode> problem_codes();
