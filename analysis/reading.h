// Reading a program happens in two steps. Each logical line is read on its own into a record of
// what it does (defines, uses, opens, closes), with places relative to the line; those records
// only depend on the line's text, so they are kept between analyses and read again only where
// the text changed. Then the records of all lines are played in order to build the analysis.
#pragma once

#include "analysis/analysis.h"
#include "analysis/code_tokens.h"

#include <cstdint>
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

using KeyId = std::uint32_t;
constexpr KeyId no_key = static_cast<KeyId>(-1);

// Every key met so far, each with a number, so that playing the records looks names up in arrays.
struct KeyTable {
    std::unordered_map<std::string, KeyId> ids;
    std::vector<std::string> keys;
    std::vector<KeyId> before_dot; // "p" for "p.x": the structure a member may belong to
    KeyId id(const std::string& key);
};

enum class UseKind : unsigned char {
    target,       // GOTO, GOSUB, RESTORE, THEN n: a label or line number
    call,         // a statement that calls a SUB
    keyword_call, // a statement starting with a keyword that the program may define as a SUB
    value,        // a name in an expression
    indexed,      // a name followed by "(": a FUNCTION, or an array
};

enum class BlockKind : unsigned char {
    if_block,
    for_block,
    do_block,
    while_block,
    select_block,
    sub,
    function,
    type
};

enum class OpKind : unsigned char {
    problem,       // found in the line itself; `count` is its note
    line_number,   // a leading line number
    label,         // a label at the start of the line
    data_block,    // the header of a data block: reported when its END line is missing
    data_routine,  // CSUB or CFUNCTION; `flag`: a CFUNCTION
    include,       // #INCLUDE; `count` is the note with the name, `flag`: the name is closed
    statement,     // a statement starts; `count`: how deep it is nested, `flag`: it is END TYPE
    use,           // `sub`: UseKind, `count`: arguments, `flag`: sets, `flag2`: lenient
    open_block,    // `sub`: BlockKind; `key`: the FOR variable
    close_block,   // `sub`: BlockKind
    end_routine,   // after END SUB or END FUNCTION: back to the globals
    require_block, // `sub`: BlockKind that must be open, `count`: note with the word
    next_var,      // NEXT with a variable: must be the FOR's, then closes it
    declare,       // `sub`: NameKind, `flag`: local (LOCAL, STATIC)
    parameter,     // a parameter of the routine being read
    routine,       // SUB or FUNCTION; `flag`: a FUNCTION, `flag2`: it has a name, `count` params
    type_block,    // TYPE: opens a structure whose member lines are not statements
    end_type,      // END TYPE
    explicit_option,
};

// One thing a line does. Places are relative to the start of its record.
struct Op {
    OpKind kind = OpKind::statement;
    unsigned char sub = 0;
    bool flag = false;
    bool flag2 = false;
    KeyId key = no_key;
    std::uint32_t count = 0;
    std::uint32_t line = 0; // lines after the record's first
    std::size_t offset = 0;
    std::size_t length = 0;
};

struct Note {
    const char* code = "";
    std::string text;
};

// One logical line (its continuation lines included), or one line of a data block.
struct LineRecord {
    std::size_t length = 0;               // its bytes, line ends included
    std::vector<std::size_t> line_starts; // of its lines, relative; the first is 0
    bool data_before = false;             // inside a data block where it starts
    bool data_after = false;
    std::vector<Op> ops;
    std::vector<Note> notes;
};

// Reads the record that starts at `start` of `text`.
LineRecord read_record(const KeywordSet& keywords, KeyTable& keys, std::string_view text,
                       std::size_t start, bool data_inside);

// The state of the line being read.
struct LineReader {
    const KeywordSet& keywords;
    KeyTable& keys;
    std::string_view text; // from the record's start: token offsets index it
    LineRecord& record;
    std::string scratch;
    std::uint32_t depth = 0; // of the statement being read

    std::string_view text_of(const CodeToken& token) const {
        return text.substr(token.offset, token.length);
    }
    bool is_keyword(const CodeToken& token) { return keywords.holds(text_of(token), scratch); }
    bool is_word(const CodeToken& token, std::string_view lower) const {
        return token.kind == CodeTokenKind::word && keywords_equal(text_of(token), lower);
    }
    static bool keywords_equal(std::string_view text, std::string_view lower);
    KeyId key_of(std::string_view name);
    Op& add(OpKind kind, const CodeToken& at);
    Op& place(OpKind kind, std::size_t line, std::size_t offset, std::size_t length);
    void note(OpKind kind, const char* code, std::size_t line, std::size_t offset,
              std::size_t length, std::string text);
};

// Token helpers of the statement readers.
inline bool is_symbol(const LineReader& r, const CodeToken& t, char c) {
    return t.kind == CodeTokenKind::symbol && r.text[t.offset] == c;
}
// The token after the ")" that matches the "(" at `open`, or `end`.
const CodeToken* after_parens(const LineReader& r, const CodeToken* open, const CodeToken* end);
// The next "," outside parentheses, or `end`.
const CodeToken* next_comma(const LineReader& r, const CodeToken* p, const CodeToken* end);
std::size_t count_arguments(const LineReader& r, const CodeToken* begin, const CodeToken* end);
void add_use(LineReader& r, UseKind kind, const CodeToken& t, std::size_t arguments = 0,
             bool sets = false);
void add_block(LineReader& r, OpKind kind, BlockKind block, const CodeToken& at);
// The names of an expression; with `sets`, those outside parentheses are assigned (INPUT, READ).
void read_expression(LineReader& r, const CodeToken* begin, const CodeToken* end,
                     bool sets = false);
// DIM, LOCAL, STATIC and CONST: comma-separated items, each starting with the name it declares.
void read_declarations(LineReader& r, const CodeToken* begin, const CodeToken* end, bool local,
                       bool constant);
// A SUB or FUNCTION header: the routine, its block and its parameters.
void read_routine(LineReader& r, const CodeToken* begin, const CodeToken* end, bool function);
// Reads the statements of one logical line (its tokens, the label and line number removed).
void read_statements(LineReader& reader, const CodeToken* begin, const CodeToken* end);

const char* block_name(BlockKind kind);
