// Reading declarations: DIM, LOCAL, STATIC, CONST and the headers of SUBs and FUNCTIONs.
#include "analysis/reading.h"

using Tokens = const CodeToken*;

namespace {

void declare(LineReader& r, const CodeToken& name, OpKind kind, NameKind name_kind, bool local) {
    Op& op = r.add(kind, name);
    op.sub = static_cast<unsigned char>(name_kind);
    op.key = r.key_of(r.text_of(name));
    op.flag = local;
}

} // namespace

void read_declarations(LineReader& r, Tokens begin, Tokens end, bool local, bool constant) {
    Tokens p = begin;
    if (p < end && (r.is_word(*p, "integer") || r.is_word(*p, "float") || r.is_word(*p, "string")))
        ++p;
    while (p < end) {
        const Tokens item_end = next_comma(r, p, end);
        if (p->kind == CodeTokenKind::word && !r.is_keyword(*p)) {
            const bool array = p + 1 < item_end && is_symbol(r, p[1], '(');
            declare(r, *p, OpKind::declare,
                    constant ? NameKind::constant
                    : array  ? NameKind::array
                             : NameKind::variable,
                    local);
            read_expression(r, p + 1, item_end);
        } else {
            read_expression(r, p, item_end);
        }
        p = item_end == end ? end : item_end + 1;
    }
}

void read_routine(LineReader& r, Tokens begin, Tokens end, bool function) {
    const CodeToken& keyword = *begin;
    add_block(r, OpKind::open_block, function ? BlockKind::function : BlockKind::sub, keyword);
    if (begin + 1 >= end || begin[1].kind != CodeTokenKind::word) return;
    const CodeToken& name = begin[1];
    const std::size_t routine = r.record.ops.size();
    Op& op = r.add(OpKind::routine, name);
    op.flag = function;
    op.key = r.key_of(r.text_of(name));

    Tokens p = begin + 2, params_end = end;
    if (p < end && is_symbol(r, *p, '(')) {
        params_end = after_parens(r, p, end) - 1;
        ++p;
    }
    std::uint32_t count = 0;
    while (p < params_end) {
        const Tokens item_end = next_comma(r, p, params_end);
        if (p->kind == CodeTokenKind::word && !r.is_keyword(*p)) {
            declare(r, *p, OpKind::parameter, NameKind::parameter, true);
            ++count;
        }
        p = item_end == params_end ? params_end : item_end + 1;
    }
    r.record.ops[routine].count = count;
}
