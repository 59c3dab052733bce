// Reading and writing INI-style text: groups of "key = value" lines, indexed once for lookup.
#include "base/ini_file.h"

#include "base/ascii.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

unsigned char lower_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Byte-wise comparison with ASCII letters folded to lower case.
int compare_nocase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = lower_byte(a[i]), y = lower_byte(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string_view view_at(const std::string& text, std::uint32_t pos, std::uint32_t len) {
    return std::string_view(text).substr(pos, len);
}

// Sorts the entries of the last group by key, keeping only the first line of each key, so a
// lookup is a binary search and "first line wins" still holds.
void finish_group(IniFile& file) {
    if (file.groups.empty()) return;
    IniGroup& group = file.groups.back();
    const auto begin = file.entries.begin() + static_cast<std::ptrdiff_t>(group.entries_begin);
    const std::string& text = file.text;
    std::sort(begin, file.entries.end(), [&](const IniEntry& a, const IniEntry& b) {
        const int order = compare_nocase(view_at(text, a.key_pos, a.key_len),
                                         view_at(text, b.key_pos, b.key_len));
        return order != 0 ? order < 0 : a.key_pos < b.key_pos;
    });
    const auto last =
        std::unique(begin, file.entries.end(), [&](const IniEntry& a, const IniEntry& b) {
            return compare_nocase(view_at(text, a.key_pos, a.key_len),
                                  view_at(text, b.key_pos, b.key_len)) == 0;
        });
    file.entries.erase(last, file.entries.end());
    group.entries_end = file.entries.size();
}

std::uint32_t to_u32(std::size_t value) {
    return static_cast<std::uint32_t>(value);
}

} // namespace

IniFile parse_ini(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    bytes = bytes.substr(0, std::numeric_limits<std::uint32_t>::max());

    IniFile file;
    file.text.assign(bytes);
    const std::string_view text = file.text;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::size_t start = pos;
        pos = end;
        if (pos < text.size()) {
            const bool cr = text[pos] == '\r';
            ++pos;
            if (cr && pos < text.size() && text[pos] == '\n') ++pos;
        }
        while (start < end && is_blank(text[start])) ++start;
        if (start == end || text[start] == ';') continue;

        const std::string_view line = text.substr(start, end - start);
        if (line.front() == '[') {
            finish_group(file);
            const std::size_t close = line.find(']');
            const std::size_t name_len =
                (close == std::string_view::npos ? line.size() : close) - 1;
            file.groups.push_back(
                {to_u32(start + 1), to_u32(name_len), file.entries.size(), file.entries.size(), 0});
            continue;
        }
        if (file.groups.empty()) continue; // a key outside any group can never be looked up

        const std::size_t equals = line.find('=');
        const std::string_view key = line.substr(0, equals);
        std::size_t key_len = key.size();
        while (key_len > 0 && is_blank(key[key_len - 1])) --key_len;
        std::size_t value_pos = equals == std::string_view::npos ? end : start + equals + 1;
        while (value_pos < end && is_blank(text[value_pos])) ++value_pos;
        file.entries.push_back(
            {to_u32(start), to_u32(key_len), to_u32(value_pos), to_u32(end - value_pos)});
        ++file.groups.back().key_lines;
    }
    finish_group(file);
    return file;
}

const IniGroup* ini_group(const IniFile& file, std::string_view name) {
    for (const IniGroup& group : file.groups)
        if (compare_nocase(view_at(file.text, group.name_pos, group.name_len), name) == 0)
            return &group;
    return nullptr;
}

std::string_view ini_key_of(const IniFile& file, const IniEntry& entry) {
    return view_at(file.text, entry.key_pos, entry.key_len);
}

std::string_view ini_value_of(const IniFile& file, const IniEntry& entry) {
    return view_at(file.text, entry.value_pos, entry.value_len);
}

std::optional<std::string_view> ini_value(const IniFile& file, const IniGroup* group,
                                          std::string_view key) {
    if (group == nullptr) return std::nullopt;
    const auto begin = file.entries.begin() + static_cast<std::ptrdiff_t>(group->entries_begin);
    const auto end = file.entries.begin() + static_cast<std::ptrdiff_t>(group->entries_end);
    const auto found =
        std::lower_bound(begin, end, key, [&](const IniEntry& entry, std::string_view k) {
            return compare_nocase(ini_key_of(file, entry), k) < 0;
        });
    if (found == end || compare_nocase(ini_key_of(file, *found), key) != 0) return std::nullopt;
    return ini_value_of(file, *found);
}

int int_prefix_value(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && is_blank(value[i])) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
    const std::int64_t limit = negative
                                   ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (value[i] - '0'));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::uint32_t number_text_value(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == '%')) base = text[i++] == '$' ? 16 : 2;

    constexpr std::uint64_t max = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = lower_byte(text[i]);
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= base) break;
        magnitude = std::min(max, magnitude * static_cast<std::uint64_t>(base) +
                                      static_cast<std::uint64_t>(digit));
    }
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

int ini_int(const IniFile& file, const IniGroup* group, std::string_view key, int fallback) {
    const auto value = ini_value(file, group, key);
    return value ? int_prefix_value(*value) : fallback;
}

std::string ini_text(const IniFile& file, const IniGroup* group, std::string_view key,
                     std::string_view fallback) {
    const auto value = ini_value(file, group, key);
    return std::string(value ? trim_blanks(*value) : fallback);
}

namespace {

void append_one_line(std::string& out, std::string_view text) {
    for (const char c : text)
        if (c != '\r' && c != '\n') out += c;
}

} // namespace

void ini_write_group(IniWriter& writer, std::string_view name) {
    if (writer.has_group) writer.text += "\r\n";
    writer.has_group = true;
    writer.text += '[';
    append_one_line(writer.text, name);
    writer.text += "]\r\n";
}

void ini_write_comment(IniWriter& writer, std::string_view comment) {
    writer.text += "; ";
    append_one_line(writer.text, comment);
    writer.text += "\r\n";
}

void ini_write_text(IniWriter& writer, std::string_view key, std::string_view value) {
    append_one_line(writer.text, key);
    writer.text += " = ";
    append_one_line(writer.text, value);
    writer.text += "\r\n";
}

void ini_write_int(IniWriter& writer, std::string_view key, int value) {
    ini_write_text(writer, key, std::to_string(value));
}
