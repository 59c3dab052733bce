// The View toggles, the line-end modes and applying every view option to the editor.
#pragma once

#include "documents/line_ends.h"
#include "editor/syntax.h"

struct App;

// Whether the View item `id` (ids 60 to 66) is ticked: its option is on.
bool is_view_option_on(const App& app, int id);
// The line ends the line-end items tick: the current document's, or those of new documents.
LineEnd shown_line_end(const App& app);

// Flips the option of a View item (ids 60 to 66) and applies it.
void toggle_view_option(App& app, int id);
// "DOS line endings" (0) and "UNIX line endings" (1): the mode of new documents and of the
// current one, whose line ends are converted (one undo step).
void set_line_end_mode(App& app, int mode);
// Return inserts the current document's line end; the status bar and the check marks show it.
void show_document_line_end(App& app);
// "Maximite Syntax" or "Alternate Syntax": kept in the settings, applied to the colouring,
// folding and Format at once, shown as a radio pair.
void set_syntax(App& app, Syntax syntax);
Syntax current_syntax(const App& app);

// Applies every view option to the editor, and refreshes the check marks of the menus and
// the toolbar.
void apply_view_options(App& app);
