// Reading statements: what each one opens or closes, defines, sets, calls and jumps to.
#include "analysis/reading.h"

#include "tools/line_scan.h"

#include <cstdint>

using Tokens = const CodeToken*;

// The token after the ")" that matches the "(" at `open`, or `end`.
Tokens after_parens(const Reading& r, Tokens open, Tokens end) {
    int depth = 0;
    for (Tokens p = open; p < end; ++p) {
        if (is_symbol(r, *p, '(')) ++depth;
        if (is_symbol(r, *p, ')') && --depth == 0) return p + 1;
    }
    return end;
}

// The next "," outside parentheses, or `end`.
Tokens next_comma(const Reading& r, Tokens p, Tokens end) {
    int depth = 0;
    for (; p < end; ++p) {
        if (is_symbol(r, *p, '(')) ++depth;
        if (is_symbol(r, *p, ')')) --depth;
        if (depth <= 0 && is_symbol(r, *p, ',')) return p;
    }
    return end;
}

std::size_t count_arguments(const Reading& r, Tokens begin, Tokens end) {
    if (begin >= end) return 0;
    std::size_t count = 1;
    for (Tokens p = next_comma(r, begin, end); p < end; p = next_comma(r, p + 1, end)) ++count;
    return count;
}

void add_use(Reading& r, UseKind kind, const CodeToken& t, std::size_t arguments, bool sets) {
    PendingUse use;
    use.kind = kind;
    name_key(r.text_of(t), use.key);
    use.at = r.span_of(t);
    use.scope = r.scope;
    use.arguments = arguments;
    use.sets = sets;
    r.pending.push_back(std::move(use));
}

namespace {

// GOTO and GOSUB lists: labels and line numbers separated by commas.
Tokens read_targets(Reading& r, Tokens p, Tokens end) {
    while (p < end && (p->kind == CodeTokenKind::number || p->kind == CodeTokenKind::word)) {
        if (p->kind == CodeTokenKind::number) {
            PendingUse use;
            use.kind = UseKind::target;
            use.key = line_number_key(r.text_of(*p));
            use.at = r.span_of(*p);
            use.scope = r.scope;
            r.pending.push_back(std::move(use));
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

void read_expression(Reading& r, Tokens begin, Tokens end, bool sets) {
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
        r.pending.back().lenient = (keyword_parens & (std::uint64_t{1} << depth)) != 0;
    }
}

namespace {

void read_statement(Reading& r, Tokens begin, Tokens end, bool last_on_line);

// IF: a block when THEN ends the line, else one line with statements after THEN and ELSE.
void read_if(Reading& r, Tokens begin, Tokens end, bool last_on_line) {
    Tokens then = begin + 1;
    while (then < end && !r.is_word(*then, "then")) ++then;
    if (then == end) {
        read_expression(r, begin + 1, end); // IF x GOTO 100
        return;
    }
    read_expression(r, begin + 1, then);
    if (then + 1 == end && last_on_line) {
        open_block(r, BlockKind::if_block, *begin);
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

void read_next(Reading& r, Tokens begin, Tokens end) {
    if (begin + 1 >= end) {
        close_block(r, BlockKind::for_block, *begin);
        return;
    }
    for (Tokens p = begin + 1; p < end; ++p) {
        if (p->kind != CodeTokenKind::word) continue;
        add_use(r, UseKind::value, *p);
        std::string key;
        name_key(r.text_of(*p), key);
        const bool mismatch = !r.blocks.empty() && r.blocks.back().kind == BlockKind::for_block &&
                              !r.blocks.back().for_key.empty() && r.blocks.back().for_key != key;
        if (mismatch)
            r.problem("NEXTVAR", r.span_of(*p),
                      "NEXT " + std::string(r.text_of(*p)) + " closes the FOR of another variable");
        close_block(r, BlockKind::for_block, *p);
    }
}

void require_block(Reading& r, const CodeToken& at, BlockKind kind, const char* word) {
    if (!inside_block(r, kind))
        r.problem(kind == BlockKind::if_block || kind == BlockKind::select_block ? "UNOPENED"
                                                                                 : "EXIT",
                  r.span_of(at), std::string(word) + " outside " + block_name(kind));
}

// A statement that starts with a name of the program: an assignment or a SUB call.
void read_name_statement(Reading& r, Tokens begin, Tokens end) {
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

void read_keyword_statement(Reading& r, Tokens begin, Tokens end, bool last_on_line) {
    const CodeToken& first = *begin;
    const Tokens rest = begin + 1;
    const bool has_second = rest < end && rest->kind == CodeTokenKind::word;
    auto second_is = [&](std::string_view word) { return has_second && r.is_word(*rest, word); };

    if (r.is_word(first, "data") || r.is_word(first, "rem")) return;
    if (r.is_word(first, "option")) {
        if (second_is("explicit")) r.analysis.explicit_option = true;
    } else if (r.is_word(first, "if")) {
        read_if(r, begin, end, last_on_line);
    } else if (r.is_word(first, "elseif") || (r.is_word(first, "else") && second_is("if"))) {
        require_block(r, first, BlockKind::if_block, "ELSEIF");
        read_expression(r, rest, end);
    } else if (r.is_word(first, "else")) {
        require_block(r, first, BlockKind::if_block, "ELSE");
        read_statement(r, rest, end, last_on_line);
    } else if (r.is_word(first, "endif")) {
        close_block(r, BlockKind::if_block, first);
    } else if (r.is_word(first, "end")) {
        if (second_is("if")) close_block(r, BlockKind::if_block, first);
        if (second_is("select")) close_block(r, BlockKind::select_block, first);
        if (second_is("sub") || second_is("function")) {
            close_block(r, second_is("sub") ? BlockKind::sub : BlockKind::function, first);
            r.scope = -1;
        }
    } else if (r.is_word(first, "for")) {
        std::string key;
        if (has_second && !r.is_keyword(*rest)) {
            // The loop reads its variable as well as setting it: never "set but not used".
            add_use(r, UseKind::value, *rest);
            name_key(r.text_of(*rest), key);
        }
        open_block(r, BlockKind::for_block, first, key);
        read_expression(r, has_second ? rest + 1 : rest, end);
    } else if (r.is_word(first, "next")) {
        read_next(r, begin, end);
    } else if (r.is_word(first, "do") || r.is_word(first, "while")) {
        open_block(r, r.is_word(first, "do") ? BlockKind::do_block : BlockKind::while_block, first);
        read_expression(r, rest, end);
    } else if (r.is_word(first, "loop")) {
        close_block(r, BlockKind::do_block, first);
        read_expression(r, rest, end);
    } else if (r.is_word(first, "wend")) {
        close_block(r, BlockKind::while_block, first);
    } else if (r.is_word(first, "select")) {
        open_block(r, BlockKind::select_block, first);
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
        open_block(r, BlockKind::type, first);
        r.in_type = true;
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

void read_statement(Reading& r, Tokens begin, Tokens end, bool last_on_line) {
    if (begin >= end) return;
    const CodeToken& first = *begin;
    if (r.in_type) {
        // Member lines declare the parts of a structure; only END TYPE matters here.
        if (r.is_word(first, "end") && begin + 1 < end && r.is_word(begin[1], "type")) {
            close_block(r, BlockKind::type, first);
            r.in_type = false;
        }
        return;
    }
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

void read_statements(Reading& reading, const CodeToken* begin, const CodeToken* end) {
    Tokens start = begin;
    for (Tokens p = begin; p != end; ++p) {
        if (!is_symbol(reading, *p, ':')) continue;
        read_statement(reading, start, p, false);
        start = p + 1;
    }
    read_statement(reading, start, end, true);
}
