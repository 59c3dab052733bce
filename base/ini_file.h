// Reading and writing INI-style text: groups of "key = value" lines, indexed once for lookup.
#pragma once

#include "base/ascii.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One key line: positions into IniFile::text. Positions are 32-bit to keep the index small;
// bytes beyond 4 GiB are not read.
struct IniEntry {
    std::uint32_t key_pos = 0, key_len = 0;
    std::uint32_t value_pos = 0, value_len = 0;
};

// One group header and its key lines, sorted by key (ignoring letter case), first line of each
// key only.
struct IniGroup {
    std::uint32_t name_pos = 0, name_len = 0;
    std::size_t entries_begin = 0, entries_end = 0;
    std::size_t key_lines = 0; // key lines under this header, duplicates included
};

// A parsed file. Key lines before the first header belong to no group and are dropped.
struct IniFile {
    std::string text;
    std::vector<IniGroup> groups; // in file order
    std::vector<IniEntry> entries;
};

IniFile parse_ini(std::string_view bytes);

// The first group of that name (letter case ignored), or nullptr. When a group name occurs
// twice, only the first occurrence is read; keys under the second header are never seen.
const IniGroup* ini_group(const IniFile& file, std::string_view name);

// The raw value of the first line of `key` in `group` (leading blanks and tabs already
// removed), or nothing when the group or key is missing. A key line without "=" has an
// empty value.
std::optional<std::string_view> ini_value(const IniFile& file, const IniGroup* group,
                                          std::string_view key);

std::string_view ini_key_of(const IniFile& file, const IniEntry& entry);
std::string_view ini_value_of(const IniFile& file, const IniEntry& entry);

// Typed reads: missing key gives `fallback`, a present key is converted.
int ini_int(const IniFile& file, const IniGroup* group, std::string_view key, int fallback);
std::string ini_text(const IniFile& file, const IniGroup* group, std::string_view key,
                     std::string_view fallback);

// The decimal number at the start of `value`: blanks and tabs, an optional sign, digits;
// stops at the first other character; no digits gives 0. Saturates to the int range.
int int_prefix_value(std::string_view value);

// A number as "$" + hex digits, "%" + binary digits or decimal digits, after blanks, tabs and
// an optional sign. The magnitude saturates at 0xFFFFFFFF; a minus sign negates modulo 2^32.
std::uint32_t number_text_value(std::string_view text);

// Builds INI text with CR LF line ends, one empty line before every header but the first.
struct IniWriter {
    std::string text;
    bool has_group = false;
};

void ini_write_group(IniWriter& writer, std::string_view name);
void ini_write_comment(IniWriter& writer, std::string_view comment);
// CR and LF inside a key or value are dropped: they would end the line and let a value
// forge further keys or groups.
void ini_write_text(IniWriter& writer, std::string_view key, std::string_view value);
void ini_write_int(IniWriter& writer, std::string_view key, int value);
