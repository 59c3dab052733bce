// Restore files: a backup folder (one subfolder per drive, "A" and "B", as Back up the board
// makes it) goes back onto the board, folders made as needed, after one question that names
// how many files would replace those of the same name.
#pragma once

#include <string>
#include <vector>

class BoardFiles;

void restore_files(BoardFiles& board);

// One file of a backup to put back: the local file and its board path ("A:/games/x.bas").
struct RestoreItem {
    std::string local;
    std::string board;
};
// The files and the folders (board paths, parents first) below `root`'s drive subfolders.
void collect_backup(const std::string& root, std::vector<RestoreItem>& files,
                    std::vector<std::string>& folders);
