// The board's FILES listing read back into entries: its first line names the folder, folders
// come first ("   <DIR>  name"), then files ("HH:MM DD-MM-YYYY      size  name"), and a summary
// ("3 directories, 25 files, 581632 bytes free"; the SD card gives no free space).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct BoardEntry {
    std::string name;
    bool folder = false;
    std::int64_t size = 0;
    std::string time; // "HH:MM"
    std::string date; // "DD-MM-YYYY"
};

struct BoardListing {
    std::string folder;              // "A:/", "B:/games"
    std::vector<BoardEntry> entries; // folders first; "." and ".." left out
    int directories = 0;
    int files = 0;
    std::int64_t free_bytes = -1; // -1: the drive does not say
    bool complete = false;        // the summary was seen
};

// One line of the listing, folded in. Lines that are none of its forms are ignored.
void add_listing_line(BoardListing& listing, std::string_view line);
BoardListing parse_listing(const std::vector<std::string>& lines);

// The drive letter of a folder as the board names it ("B:/x" -> 'B'); 0 when there is none.
char listing_drive(std::string_view folder);
