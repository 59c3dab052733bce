// The board's files bound to the running application.
#pragma once

class BoardFiles;
struct App;
struct BoardFilesContext;

// The records and widgets of `app` the board's files work with, and the window's part: placing
// the panel under the label list and opening, saving and making documents.
BoardFilesContext board_files_context(App& app);
// The board files of `app`, made (with the device session) when first asked for.
BoardFiles& board_files(App& app);
// Lets the documents tell the board's files when a working copy is opened or saved.
void install_board_files(App& app);
