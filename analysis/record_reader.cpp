// Reading one logical line of a file into its record.
#include "analysis/reading.h"

#include "tools/data_blocks.h"
#include "tools/line_scan.h"
#include "tools/merge.h"

namespace {

// The first character the board drops, and the line's length in characters.
void check_characters(LineReader& r, std::string_view line, std::size_t line_offset,
                      std::size_t line_index) {
    std::size_t characters = 0, cut = 0;
    bool reported = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if ((c & 0xC0) == 0x80) continue; // inside a UTF-8 character
        if (++characters == 255) cut = i;
        if (reported || c == '\t' || (c >= 0x20 && c < 0x7F)) continue;
        std::size_t length = 1;
        while (c >= 0xC0 && i + length < line.size() &&
               (static_cast<unsigned char>(line[i + length]) & 0xC0) == 0x80)
            ++length;
        r.note(OpKind::problem, "BADCHAR", line_index, line_offset + i, length,
               "The board drops this character when the program is sent");
        reported = true;
    }
    if (characters >= 255)
        r.note(OpKind::problem, "LONGLINE", line_index, line_offset + cut, line.size() - cut,
               "The line has " + std::to_string(characters) +
                   " characters: the board takes at most 254");
}

// CSUB and CFUNCTION headers name a routine whose arguments the analysis cannot count.
void read_data_header(LineReader& r, std::string_view line, std::size_t start,
                      std::size_t line_offset, std::size_t line_index,
                      std::vector<CodeToken>& tokens) {
    tokens.clear();
    tokenize_code_line(line, start, line_offset, line_index, tokens);
    if (tokens.size() < 2 || tokens[1].kind != CodeTokenKind::word) return;
    const bool function = r.is_word(tokens[0], "cfunction");
    if (!function && !r.is_word(tokens[0], "csub")) return;
    Op& op = r.add(OpKind::data_routine, tokens[1]);
    op.flag = function;
    op.key = r.key_of(r.text_of(tokens[1]));
}

} // namespace

LineRecord read_record(const KeywordSet& keywords, KeyTable& keys, std::string_view text,
                       std::size_t start, bool data_inside) {
    LineRecord record;
    record.data_before = data_inside;
    LineReader r{keywords, keys, text.substr(start), record, {}, 0};
    std::vector<CodeToken> tokens;
    DataBlockTracker data{data_inside};
    bool continues = false;
    std::size_t first_statement = 0;
    std::size_t offset = 0, index = 0; // in r.text
    for (;;) {
        std::size_t end = r.text.find_first_of("\r\n", offset);
        if (end == std::string_view::npos) end = r.text.size();
        const std::string_view line = r.text.substr(offset, end - offset);
        record.line_starts.push_back(offset);
        check_characters(r, line, offset, index);
        std::size_t statements = 0;
        bool code = true;
        if (!continues) {
            statements = statement_start(line);
            const BlockLine kind = data.next(line.substr(statements));
            if (kind == BlockLine::opens) {
                r.place(OpKind::data_block, index, offset + statements, line.size() - statements);
                read_data_header(r, line, statements, offset, index, tokens);
            }
            code = kind == BlockLine::code;
            const std::string_view number = leading_line_number(line);
            if (code && !number.empty()) {
                Op& op = r.place(OpKind::line_number, index,
                                 offset + static_cast<std::size_t>(number.data() - line.data()),
                                 number.size());
                r.scratch.assign(line_number_key(number));
                op.key = keys.id(r.scratch);
            }
            if (code) {
                const IncludeLine include = read_include_line(line.substr(statements));
                if (include.is_include) {
                    if (include.closed)
                        r.note(OpKind::include, "", index, offset, line.size(),
                               std::string(include.name));
                    else
                        r.note(OpKind::problem, "NOINCLUDE", index, offset, line.size(),
                               "The file name has no closing quote");
                    code = false;
                }
            }
            tokens.clear();
        }
        if (code) {
            const CodeLine read = tokenize_code_line(line, statements, offset, index, tokens);
            if (read.open_string)
                r.note(OpKind::problem, "STRING", index, offset + read.string_at, 1,
                       "The string has no closing quote");
            if (!continues && tokens.size() >= 2 && tokens[0].kind == CodeTokenKind::word &&
                r.text[tokens[1].offset] == ':' && !tokens[1].blank_before &&
                !r.is_keyword(tokens[0])) {
                Op& label = r.add(OpKind::label, tokens[0]);
                label.key = r.key_of(r.text_of(tokens[0]));
                first_statement = 2;
            }
            continues = continues_on_next_line(line, statements);
            if (continues && !tokens.empty() && r.text_of(tokens.back()) == "_") tokens.pop_back();
        }
        if (end == r.text.size()) {
            offset = end;
            break;
        }
        offset = end + (r.text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (!continues || offset == r.text.size()) break;
        ++index;
    }
    if (first_statement <= tokens.size())
        read_statements(r, tokens.data() + first_statement, tokens.data() + tokens.size());
    record.length = offset;
    record.data_after = data.inside;
    return record;
}
