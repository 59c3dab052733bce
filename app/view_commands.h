// The View toggles, the line-end modes and applying every view option to the editor.
#pragma once

struct App;

// Flips the option of a View item (ids 60 to 66), applies it and sets its check mark.
void toggle_view_option(App& app, int id);
// 0 = CR LF, 1 = LF: stores the mode, converts the text's line ends and ticks the menu item.
void set_line_end_mode(App& app, int mode);
// Applies every view option to the editor and sets every check mark from the options.
void apply_view_options(App& app);
