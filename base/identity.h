// Identity of the running program: its name, version, executable and system.
#pragma once

#include <string>

struct Identity {
    std::string program_name = "Zell Edit";
    std::string version = "V0.9";
    std::string executable_name;
    std::string os_version = "Win";
    std::string window_title() const { return program_name + " " + version; }
};
