// The drives of the simulated board and the console commands that work on them: A: the flash
// drive (case-sensitive, FILES lists "." and ".."), B: the SD card when one is in (FAT:
// case-insensitive, no "bytes free" in the summary). FILES, DRIVE, CHDIR, MKDIR, RMDIR, KILL,
// RENAME, CWD$, DATE$ / TIME$ and SAVE IMAGE as the firmware answers them, with string
// arguments given as expressions of literals and CHR$(n) joined by '+'.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct BoardDrive {
    // By path from the drive's root, '/' between folders ("games/snake.bas").
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> stamps; // "HH:MM DD-MM-YYYY" by path
    std::set<std::string> folders;
    std::string cwd; // "" is the root
    std::size_t capacity = 0;
    bool case_sensitive = true;

    std::size_t used() const;
    // The stored key that names `path` on this drive (case-insensitive on FAT), or nothing.
    std::optional<std::string> file_key(const std::string& path) const;
    std::optional<std::string> folder_key(const std::string& path) const;
};

// What a drive command printed; `listing` holds FILES's lines after its first (the path).
struct DriveAnswer {
    std::string text;
    bool listing = false;
    std::vector<std::string> lines;
};

class BoardDrives {
  public:
    explicit BoardDrives(bool card);

    BoardDrive& drive(char letter) { return letter == 'B' ? b_ : a_; }
    char current() const { return current_; }
    bool card() const { return card_; }
    void set_card(bool in) { card_ = in; }

    // Runs `line` when it is a drive command; nothing when it is not.
    std::optional<DriveAnswer> command(const std::string& line);
    // A file name as XMODEM and the commands take it: its drive and path from the root, or the
    // board's error message.
    bool resolve(const std::string& name, char& drive, std::string& path, std::string& error);
    // Stores a file as the board writes it; false when the drive is full.
    bool store(char drive, const std::string& path, const std::string& bytes);
    // Whether `more` bytes still fit on the drive.
    bool fits(char drive, std::size_t more) {
        return drive_of(drive).used() + more <= drive_of(drive).capacity;
    }

    std::string date = "01-01-2024";
    std::string time = "00:00:00";

  private:
    BoardDrive& drive_of(char letter) { return drive(letter); }
    DriveAnswer files_listing();
    std::string stamp() const { return time.substr(0, 5) + " " + date; }

    BoardDrive a_, b_;
    char current_ = 'A';
    bool card_;
};

// The value of a string expression made of "literals" and CHR$(n) joined by '+'.
std::optional<std::string> board_string_value(std::string_view expression);
