// Reading statements: what each one opens or closes, defines, sets, calls and jumps to.
#include "analysis/reading.h"

#include "tools/line_scan.h"

#include <algorithm>
#include <cstdint>

using Tokens = const CodeToken*;

// The token after the ")" that matches the "(" at `open`, or `end`.
Tokens after_parens(const LineReader& r, Tokens open, Tokens end) {
    int depth = 0;
    for (Tokens p = open; p < end; ++p) {
        if (is_symbol(r, *p, '(')) ++depth;
        if (is_symbol(r, *p, ')') && --depth == 0) return p + 1;
    }
    return end;
}

// The next "," outside parentheses, or `end`.
Tokens next_comma(const LineReader& r, Tokens p, Tokens end) {
    int depth = 0;
    for (; p < end; ++p) {
        if (is_symbol(r, *p, '(')) ++depth;
        if (is_symbol(r, *p, ')')) --depth;
        if (depth <= 0 && is_symbol(r, *p, ',')) return p;
    }
    return end;
}

std::size_t count_arguments(const LineReader& r, Tokens begin, Tokens end) {
    if (begin >= end) return 0;
    std::size_t count = 1;
    for (Tokens p = next_comma(r, begin, end); p < end; p = next_comma(r, p + 1, end)) ++count;
    return count;
}

void add_use(LineReader& r, UseKind kind, const CodeToken& t, std::size_t arguments, bool sets) {
    Op& use = r.add(OpKind::use, t);
    use.sub = static_cast<unsigned char>(kind);
    use.key = r.key_of(r.text_of(t));
    use.count = static_cast<std::uint32_t>(std::min<std::size_t>(arguments, UINT32_MAX));
    use.flag = sets;
}

void add_block(LineReader& r, OpKind kind, BlockKind block, const CodeToken& at) {
    r.add(kind, at).sub = static_cast<unsigned char>(block);
}

namespace {

// GOTO and GOSUB lists: labels and line numbers separated by commas.
Tokens read_targets(LineReader& r, Tokens p, Tokens end) {
    while (p < end && (p->kind == CodeTokenKind::number || p->kind == CodeTokenKind::word)) {
        if (p->kind == CodeTokenKind::number) {
            Op& use = r.add(OpKind::use, *p);
            use.sub = static_cast<unsigned char>(UseKind::target);
            r.scratch.assign(line_number_key(r.text_of(*p)));
            use.key = r.keys.id(r.scratch);
        } else {
            add_use(r, UseKind::target, *p);
        }
        ++p;
        if (p >= end || !is_symbol(r, *p, ',')) break;
        ++p;
    }
    return p;
}

} // namespace

void read_expression(LineReader& r, Tokens begin, Tokens end, bool sets) {
    int depth = 0;
    // One bit per open parenthesis: whether it holds the arguments of a built-in function,
    // which may be option words of the board ("MM.INFO(VERSION)") rather than names.
    std::uint64_t keyword_parens = 0;
    bool after_keyword = false;
    for (Tokens p = begin; p < end; ++p) {
        const bool keyword_before = after_keyword;
        after_keyword = false;
        if (p->kind == CodeTokenKind::symbol) {
            if (is_symbol(r, *p, '(') && depth < 63) {
                ++depth;
                if (keyword_before)
                    keyword_parens |= std::uint64_t{1} << depth;
                else
                    keyword_parens &= ~(std::uint64_t{1} << depth);
            }
            if (is_symbol(r, *p, ')') && depth > 0) --depth;
            continue;
        }
        if (p->kind != CodeTokenKind::word) continue;
        if (r.is_word(*p, "goto") || r.is_word(*p, "gosub")) {
            p = read_targets(r, p + 1, end) - 1;
            continue;
        }
        if (r.is_keyword(*p)) {
            after_keyword = true;
            // The type after AS is no name of the program's variables.
            if (r.is_word(*p, "as") && p + 1 < end && p[1].kind == CodeTokenKind::word) ++p;
            continue;
        }
        const bool sets_here = sets && depth == 0;
        if (p + 1 < end && is_symbol(r, p[1], '(')) {
            const Tokens close = after_parens(r, p + 1, end);
            add_use(r, UseKind::indexed, *p, count_arguments(r, p + 2, close - 1), sets_here);
        } else {
            add_use(r, UseKind::value, *p, 0, sets_here);
        }
        r.record.ops.back().flag2 = (keyword_parens & (std::uint64_t{1} << depth)) != 0;
    }
}

namespace {

void read_statement(LineReader& r, Tokens begin, Tokens end, bool last_on_line);
void read_statement_parts(LineReader& r, Tokens begin, Tokens end, bool last_on_line);

// IF: a block when THEN ends the line, else one line with statements after THEN and ELSE.
void read_if(LineReader& r, Tokens begin, Tokens end, bool last_on_line) {
    Tokens then = begin + 1;
    while (then < end && !r.is_word(*then, "then")) ++then;
    if (then == end) {
        read_expression(r, begin + 1, end); // IF x GOTO 100
        return;
    }
    read_expression(r, begin + 1, then);
    if (then + 1 == end && last_on_line) {
        add_block(r, OpKind::open_block, BlockKind::if_block, *begin);
        return;
    }
    // THEN and ELSE are each followed by statements or by a line number.
    auto read_part = [&](Tokens part, Tokens part_end) {
        if (part_end - part == 1 && part->kind == CodeTokenKind::number)
            read_targets(r, part, part_end);
        else
            read_statement(r, part, part_end, false);
    };
    Tokens part = then + 1;
    for (Tokens p = part; p != end; ++p) {
        if (!r.is_word(*p, "else")) continue;
        read_part(part, p);
        part = p + 1;
    }
    read_part(part, end);
}

void read_next(LineReader& r, Tokens begin, Tokens end) {
    if (begin + 1 >= end) {
        add_block(r, OpKind::close_block, BlockKind::for_block, *begin);
        return;
    }
    for (Tokens p = begin + 1; p < end; ++p) {
        if (p->kind != CodeTokenKind::word) continue;
        add_use(r, UseKind::value, *p);
        r.add(OpKind::next_var, *p).key = r.record.ops.back().key;
    }
}

void require_block(LineReader& r, const CodeToken& at, BlockKind kind, const char* word) {
    Op& op = r.add(OpKind::require_block, at);
    op.sub = static_cast<unsigned char>(kind);
    op.count = static_cast<std::uint32_t>(r.record.notes.size());
    r.record.notes.push_back({"", word});
}

// A statement that starts with a name of the program: an assignment or a SUB call.
void read_name_statement(LineReader& r, Tokens begin, Tokens end) {
    const Tokens next = begin + 1;
    if (next < end && is_symbol(r, *next, '=')) {
        add_use(r, UseKind::value, *begin, 0, true);
        read_expression(r, next + 1, end);
        return;
    }
    if (next < end && is_symbol(r, *next, '(')) {
        Tokens after = after_parens(r, next, end);
        while (after < end && after->kind == CodeTokenKind::member) ++after;
        if (after < end && is_symbol(r, *after, '=')) {
            add_use(r, UseKind::indexed, *begin, count_arguments(r, next + 1, after - 1), true);
            read_expression(r, next, end);
            return;
        }
        if (after == end) { // MySub(1, 2)
            add_use(r, UseKind::call, *begin, count_arguments(r, next + 1, end - 1));
            read_expression(r, next, end);
            return;
        }
    }
    add_use(r, UseKind::call, *begin, count_arguments(r, next, end));
    read_expression(r, next, end);
}

void read_keyword_statement(LineReader& r, Tokens begin, Tokens end, bool last_on_line) {
    const CodeToken& first = *begin;
    const Tokens rest = begin + 1;
    const bool has_second = rest < end && rest->kind == CodeTokenKind::word;
    auto second_is = [&](std::string_view word) { return has_second && r.is_word(*rest, word); };

    if (r.is_word(first, "data") || r.is_word(first, "rem")) return;
    if (r.is_word(first, "option")) {
        if (second_is("explicit")) r.add(OpKind::explicit_option, first);
    } else if (r.is_word(first, "if")) {
        read_if(r, begin, end, last_on_line);
    } else if (r.is_word(first, "elseif") || (r.is_word(first, "else") && second_is("if"))) {
        require_block(r, first, BlockKind::if_block, "ELSEIF");
        read_expression(r, rest, end);
    } else if (r.is_word(first, "else")) {
        require_block(r, first, BlockKind::if_block, "ELSE");
        read_statement(r, rest, end, last_on_line);
    } else if (r.is_word(first, "endif")) {
        add_block(r, OpKind::close_block, BlockKind::if_block, first);
    } else if (r.is_word(first, "end")) {
        if (second_is("if")) add_block(r, OpKind::close_block, BlockKind::if_block, first);
        if (second_is("select")) add_block(r, OpKind::close_block, BlockKind::select_block, first);
        if (second_is("sub") || second_is("function")) {
            add_block(r, OpKind::close_block,
                      second_is("sub") ? BlockKind::sub : BlockKind::function, first);
            r.add(OpKind::end_routine, first);
        }
    } else if (r.is_word(first, "for")) {
        KeyId key = no_key;
        if (has_second && !r.is_keyword(*rest)) {
            // The loop reads its variable as well as setting it: never "set but not used".
            add_use(r, UseKind::value, *rest);
            key = r.record.ops.back().key;
        }
        add_block(r, OpKind::open_block, BlockKind::for_block, first);
        r.record.ops.back().key = key;
        read_expression(r, has_second ? rest + 1 : rest, end);
    } else if (r.is_word(first, "next")) {
        read_next(r, begin, end);
    } else if (r.is_word(first, "do") || r.is_word(first, "while")) {
        add_block(r, OpKind::open_block,
                  r.is_word(first, "do") ? BlockKind::do_block : BlockKind::while_block, first);
        read_expression(r, rest, end);
    } else if (r.is_word(first, "loop")) {
        add_block(r, OpKind::close_block, BlockKind::do_block, first);
        read_expression(r, rest, end);
    } else if (r.is_word(first, "wend")) {
        add_block(r, OpKind::close_block, BlockKind::while_block, first);
    } else if (r.is_word(first, "select")) {
        add_block(r, OpKind::open_block, BlockKind::select_block, first);
        read_expression(r, rest, end);
    } else if (r.is_word(first, "case")) {
        require_block(r, first, BlockKind::select_block, "CASE");
        read_expression(r, rest, end);
    } else if (r.is_word(first, "sub") || r.is_word(first, "function")) {
        read_routine(r, begin, end, r.is_word(first, "function"));
    } else if (r.is_word(first, "exit")) {
        if (second_is("for")) require_block(r, first, BlockKind::for_block, "EXIT FOR");
        if (second_is("do")) require_block(r, first, BlockKind::do_block, "EXIT DO");
        if (second_is("sub")) require_block(r, first, BlockKind::sub, "EXIT SUB");
        if (second_is("function")) require_block(r, first, BlockKind::function, "EXIT FUNCTION");
    } else if (r.is_word(first, "type") && has_second && !second_is("as")) {
        r.add(OpKind::type_block, first);
    } else if (r.is_word(first, "dim") || r.is_word(first, "local") || r.is_word(first, "static")) {
        read_declarations(r, rest, end, !r.is_word(first, "dim"), false);
    } else if (r.is_word(first, "const")) {
        read_declarations(r, rest, end, false, true);
    } else if (r.is_word(first, "let")) {
        if (rest < end && rest->kind == CodeTokenKind::word) read_name_statement(r, rest, end);
    } else if (r.is_word(first, "input") || r.is_word(first, "read") ||
               (r.is_word(first, "line") && second_is("input"))) {
        read_expression(r, rest, end, true);
    } else if (r.is_word(first, "goto") || r.is_word(first, "gosub")) {
        read_targets(r, rest, end);
    } else if (r.is_word(first, "restore")) {
        read_targets(r, rest, end);
    } else {
        read_expression(r, rest, end);
    }
}

void read_statement(LineReader& r, Tokens begin, Tokens end, bool last_on_line) {
    if (begin >= end) return;
    const CodeToken& first = *begin;
    // Inside a TYPE, member lines declare the parts of a structure: the statement is played
    // only when no TYPE is open, or when it is END TYPE.
    const bool end_type = r.is_word(first, "end") && begin + 1 < end && r.is_word(begin[1], "type");
    Op& marker = r.add(OpKind::statement, first);
    marker.count = r.depth;
    marker.flag = end_type;
    if (end_type) {
        r.add(OpKind::end_type, first);
        return;
    }
    ++r.depth;
    read_statement_parts(r, begin, end, last_on_line);
    --r.depth;
}

void read_statement_parts(LineReader& r, Tokens begin, Tokens end, bool last_on_line) {
    const CodeToken& first = *begin;
    if (first.kind != CodeTokenKind::word) {
        read_expression(r, begin, end); // "? x", a stray number
        return;
    }
    if (r.is_keyword(first)) {
        // A SUB may take the name of a word the keyword list holds for other uses ("Show").
        const bool assigned =
            begin + 1 < end && (is_symbol(r, begin[1], '=') || is_symbol(r, begin[1], '('));
        if (!assigned && !r.keywords.is_built_in(r.text_of(first), r.scratch))
            add_use(r, UseKind::keyword_call, first, count_arguments(r, begin + 1, end));
        read_keyword_statement(r, begin, end, last_on_line);
    } else
        read_name_statement(r, begin, end);
}

} // namespace

void read_statements(LineReader& reading, const CodeToken* begin, const CodeToken* end) {
    Tokens start = begin;
    for (Tokens p = begin; p != end; ++p) {
        if (!is_symbol(reading, *p, ':')) continue;
        read_statement(reading, start, p, false);
        start = p + 1;
    }
    read_statement(reading, start, end, true);
}
