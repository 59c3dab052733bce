// The state of one analysis while it reads the files: names defined so far, uses waiting to be
// resolved, and the blocks open in the file being read. Shared by the reading steps.
#pragma once

#include "analysis/analysis.h"
#include "analysis/code_tokens.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The language's words, looked up in any case.
struct KeywordSet {
    std::unordered_set<std::string> words;
    std::unordered_set<std::string> built_in; // the statements the analysis reads itself
    bool given = false; // false when the caller gave no keywords: unknown names cannot be told
    bool holds(std::string_view word, std::string& scratch) const;
    bool is_built_in(std::string_view word, std::string& scratch) const;
};

KeywordSet make_keyword_set(std::string_view keywords);

// The lower-case key of a name without its type suffix, in `out`.
void name_key(std::string_view name, std::string& out);

enum class UseKind {
    target,       // GOTO, GOSUB, RESTORE, THEN n: a label or line number
    call,         // a statement that calls a SUB
    keyword_call, // a statement starting with a keyword that the program may define as a SUB
    value,        // a name in an expression
    indexed,      // a name followed by "(": a FUNCTION, or an array
};

struct PendingUse {
    UseKind kind = UseKind::value;
    std::string key;
    SourceSpan at;
    long scope = -1;
    std::size_t arguments = 0;
    bool sets = false;
    bool lenient = false; // may be an option word the keyword list lacks: never reported unknown
};

enum class BlockKind {
    if_block,
    for_block,
    do_block,
    while_block,
    select_block,
    sub,
    function,
    type
};

struct OpenBlock {
    BlockKind kind = BlockKind::if_block;
    SourceSpan at;
    std::string for_key; // the FOR variable
};

struct Reading {
    ProgramAnalysis& analysis;
    const KeywordSet& keywords;
    std::vector<PendingUse> pending;
    std::unordered_map<std::string, std::size_t> routines, labels, line_numbers, globals;
    std::unordered_map<long, std::vector<std::size_t>> locals; // by routine
    std::string scratch;

    // The file being read.
    std::size_t file = 0;
    std::string_view text;
    long scope = -1; // the routine being read
    std::vector<OpenBlock> blocks;
    bool in_type = false;

    std::string_view text_of(const CodeToken& token) const {
        return text.substr(token.offset, token.length);
    }
    SourceSpan span_of(const CodeToken& token) const {
        return {file, token.line, token.offset, token.length};
    }
    bool is_keyword(const CodeToken& token) { return keywords.holds(text_of(token), scratch); }
    bool is_word(const CodeToken& token, std::string_view lower) {
        return token.kind == CodeTokenKind::word && keywords_equal(text_of(token), lower);
    }
    static bool keywords_equal(std::string_view text, std::string_view lower);

    void problem(const char* code, SourceSpan at, std::string message,
                 Severity severity = Severity::problem) {
        analysis.problems.push_back({code, severity, at, std::move(message)});
    }
    std::size_t define(Definition definition);
};

// Token helpers of the statement readers.
inline bool is_symbol(const Reading& r, const CodeToken& t, char c) {
    return t.kind == CodeTokenKind::symbol && r.text[t.offset] == c;
}
// The token after the ")" that matches the "(" at `open`, or `end`.
const CodeToken* after_parens(const Reading& r, const CodeToken* open, const CodeToken* end);
// The next "," outside parentheses, or `end`.
const CodeToken* next_comma(const Reading& r, const CodeToken* p, const CodeToken* end);
std::size_t count_arguments(const Reading& r, const CodeToken* begin, const CodeToken* end);
void add_use(Reading& r, UseKind kind, const CodeToken& t, std::size_t arguments = 0,
             bool sets = false);
// The names of an expression; with `sets`, those outside parentheses are assigned (INPUT, READ).
void read_expression(Reading& r, const CodeToken* begin, const CodeToken* end, bool sets = false);
// DIM, LOCAL, STATIC and CONST: comma-separated items, each starting with the name it declares.
void read_declarations(Reading& r, const CodeToken* begin, const CodeToken* end, bool local,
                       bool constant);
// A SUB or FUNCTION header: the routine, its block and its parameters.
void read_routine(Reading& r, const CodeToken* begin, const CodeToken* end, bool function);

// Reads the statements of one logical line (its tokens, the label and line number removed).
void read_statements(Reading& reading, const CodeToken* begin, const CodeToken* end);

// Blocks: opening, closing and what is left open at the end of a file.
void open_block(Reading& reading, BlockKind kind, const CodeToken& at, std::string for_key = {});
// Closes the innermost block of `kind`; false when none is open (the caller reports that).
bool close_block(Reading& reading, BlockKind kind, const CodeToken& at);
bool inside_block(const Reading& reading, BlockKind kind);
void close_file_blocks(Reading& reading);
const char* block_name(BlockKind kind);

// Resolves the pending uses into uses and problems; then the hints.
void resolve_uses(Reading& reading);
// Drops the problems silenced by "' ignore: CODE" on their line.
void apply_ignore_comments(ProgramAnalysis& analysis);
