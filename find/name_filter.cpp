#include "find/name_filter.h"

#include "documents/name_scan.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Lower is better; nothing when the letters are not all there in order.
std::optional<long> match_score(std::string_view name, std::string_view query) {
    if (query.empty()) return 0;
    auto equal = [](char a, char b) { return folded(a) == folded(b); };
    auto piece = std::search(name.begin(), name.end(), query.begin(), query.end(), equal);
    if (piece == name.begin()) return 0;
    if (piece != name.end()) return 1000 + (piece - name.begin());
    // Letters in order: the score grows with the gaps between them, then with how late the
    // first letter comes.
    long gaps = 0;
    long first = -1;
    std::size_t at = 0;
    long last = -1;
    for (char c : query) {
        while (at < name.size() && !equal(name[at], c)) ++at;
        if (at == name.size()) return std::nullopt;
        if (last >= 0) gaps += long(at) - last - 1;
        if (first < 0) first = long(at);
        last = long(at++);
    }
    return 100000 + gaps * 100 + std::min(first, 99L);
}

} // namespace

std::vector<std::size_t> filter_names(const std::vector<NamedLine>& names, std::string_view query) {
    std::vector<std::pair<long, std::size_t>> scored;
    scored.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        if (std::optional<long> score = match_score(names[i].name, query))
            scored.emplace_back(*score, i);
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> result;
    result.reserve(scored.size());
    for (const auto& entry : scored) result.push_back(entry.second);
    return result;
}
