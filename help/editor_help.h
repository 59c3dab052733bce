// Help inside the editor: the Syntax Help call tip, call tips while typing and completion.
#pragma once

#include <string_view>

class EditorWidget;
struct Folders;
struct HelpState;
struct KeywordHelp;

// What the help in the editor works with: the control, the help's state, where the help file
// is, and the words completion offers.
struct EditorHelpContext {
    EditorWidget* editor;
    HelpState& help;
    const Folders& folders;
    std::string_view keyword_text;  // the keyword file's words, blank-separated
    std::string_view current_names; // the current document's names, each followed by a blank
    bool upper_case;                // keywords are offered in capitals
};

// The keyword help, read from the help file on first use.
const KeywordHelp& keyword_help(HelpState& help, const Folders& folders);

// Shows the call tip of the keyword at or before the caret; false when there is none.
bool show_keyword_tip(const EditorHelpContext& context);

// A character typed in the editor: opens a call tip after a keyword and "(" or a blank, and
// the completion list after three letters of a word.
void help_char_added(const EditorHelpContext& context, int ch);

// The caret moved or the text changed: the call tip follows the argument, or closes when the
// caret has left the statement.
void help_update_ui(EditorWidget* editor, HelpState& help);

// Offers the completion list for the word before the caret, however short (Ctrl+Space).
void show_completion(const EditorHelpContext& context);
