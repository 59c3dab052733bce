// The editor record: the state of the one editing control that the colouring and typing aids use.
#pragma once

#include "editor/syntax.h"
#include "editor/word_table.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

// Style numbers the colouring assigns and the colour scheme defines.
namespace style {
constexpr int keyword = 1;
constexpr int comment = 2;
constexpr int string = 3;
constexpr int number = 4;
constexpr int spare = 5;         // defined, never assigned
constexpr int spare_keyword = 6; // defined, never assigned
constexpr int name = 7;          // SUB and FUNCTION names and labels
constexpr int default_text = 32;
constexpr int line_number = 33;
constexpr int call_tip = 38;
} // namespace style

constexpr int fold_level_base = 1024; // SC_FOLDLEVELBASE
constexpr int fold_level_number_mask = 0x0FFF;
constexpr int fold_header_flag = 0x2000; // SC_FOLDLEVELHEADERFLAG

// Creation flags.
constexpr int creation_fit_line_numbers = 1; // fit the line-number margin to the line count
constexpr int creation_match_case = 2;       // words are matched with case

// Behaviour flags.
constexpr int behaviour_colouring = 1; // when clear every token gets the default style
constexpr int behaviour_folding = 4;   // fold levels are maintained
constexpr int behaviour_folding_alt = 8;

struct EditorRecord;

// Colours one line: appends exactly one style per byte of `line` to `styles`. A result of 1
// extends the range being coloured to the end of the text.
using LineStyler = std::function<int(EditorRecord&, std::string_view line, std::string& styles)>;

struct EditorRecord {
    int control = 6;
    int creation_flags = 0;
    int behaviour_flags = behaviour_colouring | behaviour_folding;
    LineStyler line_styler; // empty: tokens are styled without a line styler
    int margin_spacing = 0; // extra pixels of the line-number margin
    std::string separators; // characters that end a word
    int number_style = style::default_text;
    Syntax syntax = Syntax::alternate; // how tokens, comments and members are read
    WordTable words;
    std::unordered_set<std::string> keyword_keys; // the keyword file's words, in key form
    int fold_delta = 0;                           // change of fold depth on the line being coloured
    int fold_level = fold_level_base;             // running fold level, never below the base
    bool rescan =
        false; // set by Return: the line Return was pressed in is examined for a SUB header
    long rescan_line = -1;  // that line; -1 examines whichever line is coloured next
    long styling_line = -1; // the line the line styler is colouring, -1 when not known

    // Bytes in `separators`, plus CR and LF, which always end a word.
    std::array<bool, 256> separator_bytes = initial_separator_bytes();

    // A SUB, FUNCTION or label name found while colouring (8-bit text). The line styler is
    // pure logic and reports here; the editing control passes it on as its name_learnt signal.
    std::function<void(std::string_view name)> on_name_learnt;
    // Whether the shown document is plain text (a report), which is neither coloured nor folded:
    // a question the colouring asks, answered by whoever knows the documents.
    std::function<bool()> shows_plain_text;

    static std::array<bool, 256> initial_separator_bytes() {
        std::array<bool, 256> bytes{};
        bytes['\n'] = bytes['\r'] = true;
        return bytes;
    }
};

// Stores the separator characters (ASCII only; other bytes belong to multi-byte characters).
void set_separators(EditorRecord& record, std::string_view separators);
