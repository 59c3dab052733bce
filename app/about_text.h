// The text of the About box.
#pragma once

#include <string>
#include <string_view>

// The values the About box shows; folders end in a separator.
struct AboutValues {
    std::string version, os_version;
    std::string program_folder, data_folder, current_folder, include_folder;
};

constexpr std::string_view about_contact = "zelledit@users.noreply.invalid";
constexpr std::string_view about_website = "https://zelledit.invalid";

// An LF after the first line and a CR after each following one (none after the last).
std::string about_text(const AboutValues& values);
