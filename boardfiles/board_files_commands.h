// The commands of the board's files: the panel, backups, the clock and the screen capture.
#pragma once

struct App;

// View > Board files: shows or hides the panel.
void toggle_board_files(App& app);
bool board_files_shown(const App& app);
// Program memory into a new document (XMODEM SEND without a name).
void fetch_board_program(App& app);
bool board_connected(const App& app);
// DATE$ and TIME$ from the computer's clock (the board's restarts at 01-01-2024 on power-up,
// and the files it writes take its date).
void set_board_clock(App& app);
// Makes the board files follow the link: identity and listing on connecting.
void watch_board_files(App& app);
