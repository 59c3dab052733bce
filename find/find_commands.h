// Find/Replace on the current document through the find bar, and the match marks in view.
#pragma once

#include <functional>

class EditorWidget;
class FindBar;
struct FindState;

// What Find/Replace works on: the editing control and what the finding keeps, with the
// window's part in it.
struct FindContext {
    EditorWidget* editor;
    FindState& find;
    // Makes the bar (find.bar) in the window and connects it with connect_find_bar.
    std::function<void()> make_bar;
    // Places the bar below the editor again after it shows or hides.
    std::function<void()> lay_out;
    // Replace All changed the text: the program's names are collected again.
    std::function<void()> text_replaced;
};

// Connects a new bar's texts, options and buttons, and the editor's updates, to the finding,
// and sets the look of the match marks. `context_of` gives the records at each event.
void connect_find_bar(FindBar* bar, EditorWidget* editor, std::function<FindContext()> context_of);

// Opens the bar (Find/Replace, Ctrl+F; Ctrl+H with the replace row) with the selection's word.
void open_find_bar(const FindContext& context, bool replace);
void close_find_bar(const FindContext& context);
// F3 and Shift+F3 (and Enter, Shift+Enter in the bar).
void find_next(const FindContext& context, bool backwards);
// Replaces the selection when it is a match, then finds the next one.
void replace_once(const FindContext& context);
// Replaces every match (in the selection's range with "In selection") as one undo step.
void replace_all(const FindContext& context);
// Marks the matches on the visible lines while the bar is open.
void mark_visible_matches(EditorWidget* editor, FindState& find);
