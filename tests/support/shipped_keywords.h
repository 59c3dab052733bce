// The keyword list the editor ships, read once, for tests of what the keywords decide.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline const std::string& shipped_keywords() {
    static const std::string text = [] {
        std::ifstream in(std::string(ZELL_TEST_DATA) + "/../../resources/Zellcmndlist.dat",
                         std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }();
    return text;
}
