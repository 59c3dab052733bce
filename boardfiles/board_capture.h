// Screen capture for boards with a display: SAVE IMAGE into a temporary file on the board, the
// file downloaded and shown in a window that can save it as PNG, the board's file deleted.
#pragma once

class BoardFiles;

void capture_board_screen(BoardFiles& files);
