// Call tips and completion in the editing control.
#include "help/editor_help.h"

#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "help/call_tips.h"
#include "help/completion.h"
#include "help/help_files.h"
#include "help/help_state.h"

#include <algorithm>

namespace {

// Text further than this from the caret is not looked at: a keyword's arguments and the word
// being typed are near it, and a megabyte-long line stays quick to type in.
constexpr long nearby_bytes = 4096;
// Beyond this distance from the line's start the caret's string and comment context is not
// worked out, and neither tips nor completion open.
constexpr long longest_context = 65536;
constexpr int shortest_completed_word = 3;

struct CaretLine {
    long caret = 0;
    long line = 0;
    long start = 0; // where the line begins
};

CaretLine caret_line(QsciScintillaBase* editor) {
    CaretLine at;
    at.caret = sci_current_pos(editor);
    at.line = sci_line_from_position(editor, at.caret);
    at.start = sci_position_from_line(editor, at.line);
    return at;
}

// The line's text up to the caret, or nothing when the caret is too far into a long line.
bool line_before_caret(QsciScintillaBase* editor, const CaretLine& at, std::string& text) {
    if (at.caret - at.start > longest_context) return false;
    text = sci_text_range(editor, at.start, at.caret);
    return true;
}

void cancel_tip(EditorWidget* editor, HelpState& help) {
    if (help.tip_anchor >= 0) sci_call_tip_cancel(editor);
    help.tip_anchor = help.tip_arguments = help.tip_line = -1;
    help.tip_text.clear();
    help.tip_word.clear();
}

// Highlights the argument the caret is in; closes the tip when the caret has left it.
void follow_caret(EditorWidget* editor, HelpState& help) {
    if (help.tip_anchor < 0) return;
    const CaretLine at = caret_line(editor);
    // Moved off the line or before the keyword, too far along, or the keyword was changed.
    if (help.tip_arguments > sci_length(editor) || at.line != help.tip_line ||
        at.caret < help.tip_anchor || at.caret - help.tip_arguments > nearby_bytes ||
        sci_text_range(editor, help.tip_anchor, help.tip_arguments) != help.tip_word) {
        cancel_tip(editor, help);
        return;
    }
    TipRange range;
    if (at.caret >= help.tip_arguments) {
        const int argument = argument_index(sci_text_range(editor, help.tip_arguments, at.caret));
        if (argument < 0) {
            cancel_tip(editor, help);
            return;
        }
        range = argument_range(help.tip_text, argument);
    }
    help.tip_highlight_start = range.start;
    help.tip_highlight_end = range.end;
    sci_call_tip_set_highlight(editor, range.start, range.end);
}

void show_tip(EditorWidget* editor, HelpState& help, const HelpEntry& entry, long anchor,
              long arguments, long line) {
    help.tip_text = call_tip_text(entry);
    if (help.tip_text.empty()) help.tip_text = entry.word;
    help.tip_anchor = anchor;
    help.tip_arguments = arguments;
    help.tip_word = sci_text_range(editor, anchor, arguments);
    help.tip_line = line;
    sci_call_tip_show(editor, anchor, help.tip_text.c_str());
    follow_caret(editor, help);
}

bool starts_a_word(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '#';
}

void offer_completion(const EditorHelpContext& context, std::size_t shortest) {
    EditorWidget* editor = context.editor;
    if (!editor || sci_autoc_active(editor)) return;
    const CaretLine at = caret_line(editor);
    std::string before;
    if (!line_before_caret(editor, at, before)) return;
    const std::string_view prefix = word_before_caret(before);
    if (prefix.size() < std::max<std::size_t>(shortest, 1) || !starts_a_word(prefix.front()))
        return;
    if (in_string_or_comment(before)) return;
    std::vector<std::string> items =
        completion_items(prefix, {context.keyword_text, context.current_names, context.upper_case});
    // A word typed out in full needs no list.
    if (items.empty() || (items.size() == 1 && items.front().size() == prefix.size())) return;
    std::string list;
    for (const std::string& item : items) {
        if (!list.empty()) list += '\n';
        list += item;
    }
    context.help.completion = std::move(items);
    sci_autoc_set_separator(editor, '\n');
    sci_autoc_set_order(editor, Sci::SC_ORDER_CUSTOM);
    sci_autoc_set_auto_hide(editor, 1);
    sci_autoc_show(editor, prefix.size(), list.c_str());
    editor->show_completion_unpicked();
}

} // namespace

const KeywordHelp& keyword_help(HelpState& help, const Folders& folders) {
    if (!help.keywords_loaded) {
        help.keywords = parse_keyword_help(help_file_bytes(folders));
        help.keywords_loaded = true;
    }
    return help.keywords;
}

bool show_keyword_tip(const EditorHelpContext& context) {
    EditorWidget* editor = context.editor;
    if (!editor) return false;
    const KeywordHelp& help = keyword_help(context.help, context.folders);
    const CaretLine at = caret_line(editor);
    const long line_end = sci_line_end_position(editor, at.line);
    const long from = std::max(at.start, at.caret - nearby_bytes);
    const long to = std::min(line_end, at.caret + 256);
    const std::string text = sci_text_range(editor, from, to);
    const std::size_t caret = static_cast<std::size_t>(at.caret - from);
    // The word the caret is in or at the end of, then each word before it on the line.
    std::size_t end = caret;
    while (end < text.size() && is_keyword_byte(text[end])) ++end;
    std::size_t start = caret;
    for (;;) {
        while (start > 0 && is_keyword_byte(text[start - 1])) --start;
        if (start < end) {
            if (const HelpEntry* entry =
                    find_help(help, std::string_view(text).substr(start, end - start))) {
                cancel_tip(editor, context.help);
                show_tip(editor, context.help, *entry, from + static_cast<long>(start),
                         from + static_cast<long>(end), at.line);
                return true;
            }
        }
        while (start > 0 && !is_keyword_byte(text[start - 1])) --start;
        if (start == 0) return false;
        end = start;
    }
}

void help_char_added(const EditorHelpContext& context, int ch) {
    EditorWidget* editor = context.editor;
    if (!editor) return;
    if (ch == '(' || ch == ' ') {
        const CaretLine at = caret_line(editor);
        std::string before;
        if (!line_before_caret(editor, at, before) || before.empty()) return;
        before.pop_back(); // the character just typed
        const std::string_view word = word_before_caret(before);
        if (word.empty() || in_string_or_comment(before)) return;
        const HelpEntry* entry = find_help(keyword_help(context.help, context.folders), word);
        if (!entry || !takes_arguments(*entry)) return;
        const long word_end = at.caret - 1;
        cancel_tip(editor, context.help);
        show_tip(editor, context.help, *entry, word_end - static_cast<long>(word.size()), word_end,
                 at.line);
        return;
    }
    if (ch > 0 && ch < 0x80 && is_keyword_byte(static_cast<char>(ch)))
        offer_completion(context, shortest_completed_word);
}

void help_update_ui(EditorWidget* editor, HelpState& help) {
    if (help.tip_anchor < 0) return;
    // Escape, a click or the editing component itself may have closed it.
    if (!sci_call_tip_active(editor)) {
        cancel_tip(editor, help);
        return;
    }
    follow_caret(editor, help);
}

void show_completion(const EditorHelpContext& context) {
    offer_completion(context, 1);
}
