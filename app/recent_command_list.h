// The File menu's recent files on their menu items.
#pragma once

struct App;

// Shows the recent files on the File menu's items.
void show_recent_files(App& app);
// Shows them now and again whenever the list changes; called once the menus are built.
void connect_recent_files(App& app);
