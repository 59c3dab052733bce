// The editor's text size as the application remembers it, and its keys on the main window.
#pragma once

struct App;

// Sets the editor's zoom within the range Scintilla allows and remembers it for the next start.
void zoom_editor(App& app, int zoom);
// Ctrl+Plus, Ctrl+Minus and Ctrl+0 on the main window (either plus key).
void install_zoom_shortcuts(App& app);
