// The links of the "External resources" menu: up to six titles and addresses from a small
// text file in the data folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr int most_external_links = 6;

struct ExternalLink {
    std::string title;
    std::string address;
};

// One link per line, "title | address" (the first "|" separates them); blank lines and lines
// starting with "'" or "#" are skipped, as are lines without a title or an address and lines
// holding control bytes. At most six links; the rest are ignored.
std::vector<ExternalLink> parse_external_links(std::string_view bytes);

// The file's text for `links`, which parse_external_links reads back unchanged.
std::string external_links_text(const std::vector<ExternalLink>& links);
