// Board file names and download sizes.
#include "boardfiles/board_names.h"

#include "base/ascii.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

std::string board_string(std::string_view name) {
    std::string out;
    bool in_literal = false;
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool plain = byte >= 0x20 && byte <= 0x7E && c != '"';
        if (plain) {
            if (!in_literal) out += out.empty() ? "\"" : "+\"";
            in_literal = true;
            out.push_back(c);
            continue;
        }
        if (in_literal) out.push_back('"');
        in_literal = false;
        out += (out.empty() ? "CHR$(" : "+CHR$(") + std::to_string(byte) + ")";
    }
    if (in_literal) out.push_back('"');
    return out.empty() ? "\"\"" : out;
}

std::string board_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path.push_back('/');
    return path + std::string(name);
}

bool looks_like_text(std::string_view name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext(name.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static constexpr std::array<std::string_view, 11> text = {
        "bas", "inc", "txt", "csv", "dat", "ini", "cfg", "json", "htm", "html", "md"};
    return std::find(text.begin(), text.end(), ext) != text.end();
}

bool only_padding_past(std::string_view data, std::int64_t listed) {
    if (listed < 0 || static_cast<std::uint64_t>(listed) >= data.size()) return true;
    return data.find_first_not_of(std::string_view("\x1a\0", 2),
                                  static_cast<std::size_t>(listed)) == std::string_view::npos;
}

bool safe_local_name(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

std::string cut_download(std::string data, std::int64_t listed, std::string_view name) {
    if (listed < 0) return data;
    if (static_cast<std::uint64_t>(listed) < data.size())
        data.resize(static_cast<std::size_t>(listed));
    if (looks_like_text(name) && listed % 128 == 0)
        while (!data.empty() && data.back() == 0x1A) data.pop_back();
    return data;
}

std::vector<std::string> case_distinct_names(const std::vector<std::string>& names) {
    std::vector<std::string> out = names;
    std::set<std::string> taken;
    std::vector<bool> clash(names.size(), false);
    for (std::size_t i = 0; i < names.size(); ++i)
        clash[i] = !taken.insert(upper_text(names[i])).second;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!clash[i]) continue;
        const std::size_t dot = names[i].rfind('.');
        const bool extension = dot != std::string::npos && dot > 0;
        const std::string stem = extension ? names[i].substr(0, dot) : names[i];
        const std::string tail = extension ? names[i].substr(dot) : std::string();
        for (int n = 2;; ++n) {
            std::string candidate = stem + " (" + std::to_string(n) + ")" + tail;
            if (taken.insert(upper_text(candidate)).second) {
                out[i] = std::move(candidate);
                break;
            }
        }
    }
    return out;
}
