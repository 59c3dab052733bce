// The commands of the board's files that are more than one call: fetching the board's program,
// setting its clock, and making the board's files follow the link.
#pragma once

#include <functional>

class BoardFiles;
struct KeywordHelp;

// Program memory into a new document (XMODEM SEND without a name).
void fetch_board_program(BoardFiles& files);
// DATE$ and TIME$ from the computer's clock (the board's restarts at 01-01-2024 on power-up,
// and the files it writes take its date).
void set_board_clock(BoardFiles& files);
// Makes the board files follow their session's link: identity and listing on connecting, and
// before a program goes, the words `keyword_help` marks as other boards' are named. Once only.
void watch_board_files(BoardFiles& files, std::function<const KeywordHelp&()> keyword_help);
