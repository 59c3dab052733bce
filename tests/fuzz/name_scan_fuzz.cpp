// The name scan and the name index agree with a plain reading of the rule: a line whose first
// blank-separated field is SUB or FUNCTION (any case) names the identifier of its second field
// (up to a "("); a first field of two or more characters ending in ":" is a label. A name is
// held when a whole held name equals it, ignoring the case of ASCII letters.
#include "base/ascii.h"
#include "documents/name_index.h"
#include "documents/name_scan.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct PlainName {
    std::string name;
    long line;
    bool label;
};

std::vector<std::string> fields_of(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : line) {
        if (c == ' ' || c == '\t') {
            if (!field.empty()) fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty()) fields.push_back(field);
    return fields;
}

std::vector<PlainName> plain_names(std::string_view text) {
    std::vector<PlainName> names;
    long index = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t lf = text.find('\n', start);
        std::string_view line = text.substr(start, lf - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        const std::vector<std::string> fields = fields_of(line);
        if (!fields.empty()) {
            const std::string first = lower_text(fields[0]);
            if ((first == "sub" || first == "function") && fields.size() > 1) {
                std::string name = fields[1].substr(0, fields[1].find('('));
                if (!name.empty()) names.push_back({name, index, false});
            }
            if (fields[0].size() > 1 && fields[0].back() == ':')
                names.push_back({fields[0].substr(0, fields[0].size() - 1), index, true});
        }
        if (lf == std::string_view::npos) break;
        start = lf + 1;
        ++index;
    }
    return names;
}

bool plain_holds(const std::vector<std::string>& held, std::string_view name) {
    for (const std::string& h : held)
        if (lower_text(h) == lower_text(name)) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<PlainName> expected = plain_names(text);

    const ScannedNames scanned = scan_names_text(text);
    FUZZ_CHECK(scanned.names.size() == expected.size());
    std::string found;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(scanned.names[i] == expected[i].name);
        found += ' ' + expected[i].name;
        if (expected[i].label) found += ' ' + expected[i].name + ':';
    }
    FUZZ_CHECK(scanned.found == found);

    const std::vector<NamedLine> lines = named_lines(text);
    FUZZ_CHECK(lines.size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(lines[i].name == expected[i].name && lines[i].line == expected[i].line);
        long first = -1;
        for (const PlainName& e : expected)
            if (e.name == expected[i].name) {
                first = e.line;
                break;
            }
        FUZZ_CHECK(find_name_line_in(text, expected[i].name) == first);
    }

    // The label list shows the fields of the found text that do not end in ":".
    std::vector<std::string> entries;
    for (const PlainName& e : expected)
        if (e.name.back() != ':') entries.push_back(e.name);
    FUZZ_CHECK(label_list_entries(scanned.found.empty() ? "" : scanned.found.substr(1) + ' ') ==
               entries);

    // unique_names keeps the first of the names equal ignoring case, in order.
    std::vector<std::string> unique;
    std::string unique_text;
    for (const PlainName& e : expected)
        if (!plain_holds(unique, e.name)) {
            unique.push_back(e.name);
            unique_text += e.name + ' ';
        }
    FUZZ_CHECK(unique_names(scanned.names) == unique_text);
    FUZZ_CHECK(split_names(unique_text) == unique);

    // The index answers as the plain rule for every name, every part of a name and the
    // blank-separated pieces of the text itself.
    NameIndex index;
    reset_name_index(index, unique_text);
    std::vector<std::string> queries = fields_of(text);
    for (const std::string& name : unique) {
        queries.push_back(name);
        queries.push_back(name.substr(0, name.size() / 2));
        queries.push_back(name + "x");
    }
    for (const std::string& q : queries)
        FUZZ_CHECK(name_index_holds(index, q) == plain_holds(unique, q));
    if (!queries.empty()) {
        add_to_name_index(index, queries.front());
        unique.push_back(queries.front());
        for (const std::string& q : queries)
            FUZZ_CHECK(name_index_holds(index, q) == plain_holds(unique, q));
    }
    return 0;
}
