// Find/Replace on the current document through the find bar, and the match marks in view.
#pragma once

struct App;

// Opens the bar (Find/Replace, Ctrl+F; Ctrl+H with the replace row) with the selection's word.
void open_find_bar(App& app, bool replace);
void close_find_bar(App& app);
// F3 and Shift+F3 (and Enter, Shift+Enter in the bar).
void find_next(App& app, bool backwards);
// Replaces the selection when it is a match, then finds the next one.
void replace_once(App& app);
// Replaces every match (in the selection's range with "In selection") as one undo step.
void replace_all(App& app);
// Marks the matches on the visible lines while the bar is open.
void mark_visible_matches(App& app);
