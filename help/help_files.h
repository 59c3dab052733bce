// Where the help subsystem's files come from: the keyword help file, the links file, the user
// guide and the change log.
#pragma once

#include <string>

struct Folders;

// The keyword help file's name, in the data folder or beside the program.
inline constexpr const char* help_file_name = "Zellhelp.dat";
// The links of the "External resources" menu, in the data folder.
inline constexpr const char* links_file_name = "Zelllinks.txt";

// The bytes of the keyword help file: the user's copy in the data folder if there is one, else
// the copy beside the program, else the one built into the program. Files too large to be a
// help file are passed over.
std::string help_file_bytes(const Folders& folders);

// The path of the links file.
std::string links_file_path(const Folders& folders);

// The user guide and the change log, as built into the program (Markdown).
std::string guide_text();
std::string change_log_text();
