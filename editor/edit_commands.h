// The Edit menu's clipboard and undo commands, and the editor's text size (Font menu and zoom).
#pragma once

struct App;

// Whether the editor has a non-empty selection (cut, copy, Save Selection).
bool editor_has_selection(App& app);
// The zoom (points added to every style) of each Font item: Medium is the configured size.
int zoom_of_font_item(int id);
// Sets the editor's zoom within the range Scintilla allows and remembers it for the next start.
void set_editor_zoom(App& app, int zoom);
// Ctrl+Plus, Ctrl+Minus and Ctrl+0 on the main window (either plus key).
void install_zoom_shortcuts(App& app);
