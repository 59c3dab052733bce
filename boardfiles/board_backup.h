// Back up the board: every file of drive A: and, when a card is in, B: (folders walked one by
// one) into a folder on the computer, one subfolder per drive, plus the board's OPTION LIST in
// options.txt; then a summary of what was copied and what failed. The board's current drive
// and folder are put back afterwards.
#pragma once

#include <string>

class BoardFiles;

void back_up_board(BoardFiles& files);

// The suggested name of a backup folder made on `date` ("2026-12-09"): "board-backup-2026-12-09".
std::string backup_folder_name(const std::string& date);
