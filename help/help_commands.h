// The help subsystem's hooks into the running editor.
#pragma once

struct App;

// Connects call tips and completion to the editor and shows the external links on their
// menu items; run once the main window is built.
void connect_help(App& app);

// Reads the links file again and shows its titles on the "External resources" items; unset
// items are hidden.
void refresh_external_links(App& app);
