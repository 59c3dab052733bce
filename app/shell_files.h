// The files the shell reads at start-up and writes at exit: data folder, keywords, intro text,
// settings.
#pragma once

struct App;
struct Folders;

// First start: creates the data folder and puts the shipped keyword file in it.
void prepare_data_folder(const Folders& folders);
// Reads the keyword file; tells the user when it cannot be opened.
void load_keyword_text(App& app);
// Reads the intro text; a missing file gives an empty intro text.
void load_intro_text(App& app);
// Reads the settings file; the folder values it names replace the start-up folders. Temporary
// files that killed writes of the settings left in the data folder are removed first.
void load_settings_file(App& app);
// Takes the window placement from the main window and writes the settings file as a whole.
// When it cannot be written the old file is left as it was and a box says why.
bool save_settings_file(App& app);
