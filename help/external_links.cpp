// Reading and writing the file of external links.
#include "help/external_links.h"

#include "base/ascii.h"

#include <algorithm>

std::vector<ExternalLink> parse_external_links(std::string_view bytes) {
    std::vector<ExternalLink> links;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::size_t at = 0;
    while (at < bytes.size() && links.size() < most_external_links) {
        std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }))
            continue;
        line = trim_blanks(line);
        if (line.empty() || line.front() == '\'' || line.front() == '#') continue;
        const std::size_t bar = line.find('|');
        if (bar == std::string_view::npos) continue;
        std::string_view title = trim_blanks(line.substr(0, bar));
        std::string_view address = trim_blanks(line.substr(bar + 1));
        if (title.empty() || address.empty()) continue;
        links.push_back({std::string(title), std::string(address)});
    }
    return links;
}

std::string external_links_text(const std::vector<ExternalLink>& links) {
    std::string text = "' External resources of the Help menu: up to six lines of title | address\n"
                       "' for example:  MMBasic manual | file:///home/me/manual.pdf\n";
    for (const ExternalLink& link : links) text += link.title + " | " + link.address + "\n";
    return text;
}
