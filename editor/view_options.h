// The View menu toggles as they act on the editing control.
#pragma once

#include "base/settings.h"
#include "editor/editor_record.h"

class QsciScintillaBase;

// The View items that change the editor (menu ids).
enum class ViewToggle : int {
    SyntaxColouring = 60,   // "Colour": the colour scheme again
    CapitalKeywords = 61,   // "Upper_Case"
    WhiteSpaceMarkers = 62, // "WhiteSpace_Markers"
    LineEndings = 63,       // "Show_line_endings"
    IndentGuides = 64,      // "Show_indent"
    AutoIndent = 65,        // "Auto_indent": read by the Return key, nothing to send
    LineNumbers = 66,       // "Line_numbers"
};

// Reads the text by `syntax` from now on and recolours it.
void apply_syntax(EditorRecord& record, QsciScintillaBase* control, Syntax syntax);

// The option's value in the settings, or null for an id that is no view toggle.
int* view_option(Options& options, int menu_id);
const int* view_option(const Options& options, int menu_id);

// Applies the option's current value (flip it first) to the editor at once.
void apply_view_toggle(EditorRecord& record, QsciScintillaBase* control, const Settings& settings,
                       ViewToggle toggle);
