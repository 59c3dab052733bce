// Include files on a pretend disk for the analysis's tests, and the program input reading them.
#pragma once

#include "analysis/analysis.h"
#include "support/shipped_keywords.h"

#include <map>
#include <optional>
#include <string>

// Files by path. A file with a stamp is read again only when its stamp changes; `reads` counts
// the files read.
struct FakeDisk {
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> stamps;
    mutable int reads = 0;

    SourceAccess access() const {
        return {[this](const std::string& path) { return files.count(path) != 0; },
                [this](const std::string& path) -> std::optional<std::string> {
                    ++reads;
                    const auto found = files.find(path);
                    if (found == files.end()) return std::nullopt;
                    return found->second;
                },
                [this](const std::string& path) {
                    const auto found = stamps.find(path);
                    return found == stamps.end() ? std::string() : found->second;
                }};
    }
};

// `text` as the program /p/main.bas with the shipped keywords, its include files read from
// `disk` (the include folder is /inc).
inline AnalysisInput program_input(const std::string& text, const FakeDisk& disk) {
    AnalysisInput input;
    input.text = text;
    input.path = "/p/main.bas";
    input.include_folder = "/inc";
    input.files = disk.access();
    input.keywords = shipped_keywords();
    return input;
}
