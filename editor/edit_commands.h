// What the Edit menu's clipboard commands and the Font menu ask of the editing control.
#pragma once

class QsciScintillaBase;

// Whether the editor has a non-empty selection (cut, copy, Save Selection).
bool editor_has_selection(QsciScintillaBase* editor);
// Whether Paste would insert something: the editor is writable and the clipboard holds text.
bool editor_can_paste(QsciScintillaBase* editor);
// Sets the editor's zoom (points added to every style) within the range Scintilla allows;
// returns the zoom set, for the next start to begin with.
int set_editor_zoom(QsciScintillaBase* editor, int zoom);
