// The text of the About box.
#include "app/about_text.h"

std::string about_text(const AboutValues& v) {
    std::string text = "Version: " + v.version + "  OS Ver: " + v.os_version + "\n";
    text += "Program folder: " + v.program_folder + "\r";
    text += "Data folder: " + v.data_folder + "\r";
    text += "File folder: " + v.current_folder + "\r";
    text += "Include file folder: " + v.include_folder + "\r";
    text += "Contact: ";
    text += about_contact;
    text += "\rWebsite: ";
    text += about_website;
    return text;
}
