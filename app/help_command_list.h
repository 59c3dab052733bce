// The Help menu and the help in the editor, bound to the running application.
#pragma once

struct App;
struct EditorHelpContext;

// The editor, the help's state and the words completion offers, from `app`.
EditorHelpContext editor_help_context(App& app);

// Connects call tips and completion to the editor and shows the external links on their
// menu items; run once the main window is built.
void connect_help(App& app);

// Reads the links file again and shows its titles on the "External resources" items; unset
// items are hidden.
void refresh_external_links(App& app);
