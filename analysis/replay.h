// Playing the line records of a program in order: the definitions, the blocks open at each line,
// the uses waiting to be resolved, and the problems that need more than one line to be seen.
#pragma once

#include "analysis/reading.h"

#include <unordered_map>
#include <vector>

struct PendingUse {
    UseKind kind = UseKind::value;
    KeyId key = no_key;
    SourceSpan at;
    long scope = -1;
    std::size_t arguments = 0;
    std::size_t declared = static_cast<std::size_t>(-1); // a declaration again: its definition
    bool sets = false;
    bool lenient = false; // may be an option word the keyword list lacks: never reported unknown
};

struct OpenBlock {
    BlockKind kind = BlockKind::if_block;
    SourceSpan at;
    KeyId for_key = no_key; // the FOR variable
};

struct Replay {
    Replay(ProgramAnalysis& analysis_, const KeywordSet& keywords_, const KeyTable& keys_)
        : analysis(analysis_), keywords(keywords_), keys(keys_) {}
    ProgramAnalysis& analysis;
    const KeywordSet& keywords;
    const KeyTable& keys;
    std::vector<PendingUse> pending;
    // Definitions by key; `none` where there is none.
    std::vector<std::size_t> routines, labels, line_numbers, globals;
    std::unordered_map<long, std::vector<std::size_t>> locals; // by routine
    std::vector<KeyId> definition_keys;                        // of each definition
    struct Include {
        std::string name;
        SourceSpan at;
    };
    std::vector<Include> includes; // met in the record just played

    // The file being played.
    std::size_t file = 0;
    long scope = -1; // the routine being read
    std::vector<OpenBlock> blocks;
    bool in_type = false;

    void problem(const char* code, SourceSpan at, std::string message,
                 Severity severity = Severity::problem) {
        analysis.problems.push_back({code, severity, at, std::move(message)});
    }
    std::size_t define(NameKind kind, KeyId key, const SourceSpan& at, long scope_of = -1);
    std::string text_at(const SourceSpan& at) const {
        return std::string(analysis.files[at.file].text.substr(at.offset, at.length));
    }
};

constexpr std::size_t no_definition = static_cast<std::size_t>(-1);

// Plays a record of the file being played, placed at its start and first line. `data_header` is
// set to the header of a data block the record opens.
void play_record(Replay& replay, const LineRecord& record, std::size_t start, std::size_t line,
                 SourceSpan& data_header);
// What is left open at the end of a file.
void close_file_blocks(Replay& replay);

// Blocks: opening, closing and whether one is open.
void open_block(Replay& replay, BlockKind kind, const SourceSpan& at, KeyId for_key = no_key);
// Closes the innermost block of `kind`; false when none is open (then it is reported).
bool close_block(Replay& replay, BlockKind kind, const SourceSpan& at);
bool inside_block(const Replay& replay, BlockKind kind);

// Resolves the pending uses into uses and problems; then the hints.
void resolve_uses(Replay& replay);
// Drops the problems silenced by "' ignore: CODE" on their line.
void apply_ignore_comments(ProgramAnalysis& analysis);
