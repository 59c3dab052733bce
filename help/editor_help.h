// Help inside the editor: the Syntax Help call tip, call tips while typing and completion.
#pragma once

struct App;
struct KeywordHelp;

// The keyword help, read from the help file on first use.
const KeywordHelp& keyword_help(App& app);

// Shows the call tip of the keyword at or before the caret; false when there is none.
bool show_keyword_tip(App& app);

// A character typed in the editor: opens a call tip after a keyword and "(" or a blank, and
// the completion list after three letters of a word.
void help_char_added(App& app, int ch);

// The caret moved or the text changed: the call tip follows the argument, or closes when the
// caret has left the statement.
void help_update_ui(App& app);

// Offers the completion list for the word before the caret, however short (Ctrl+Space).
void show_completion(App& app);
