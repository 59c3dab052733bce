// Reading declarations: DIM, LOCAL, STATIC, CONST and the headers of SUBs and FUNCTIONs.
#include "analysis/reading.h"

using Tokens = const CodeToken*;

namespace {

void declare(Reading& r, const CodeToken& name, NameKind kind, long scope) {
    std::string key;
    name_key(r.text_of(name), key);
    std::size_t* existing = nullptr;
    if (scope < 0) {
        auto found = r.globals.find(key);
        if (found != r.globals.end()) existing = &found->second;
    } else {
        for (std::size_t& local : r.locals[scope])
            if (r.analysis.definitions[local].key == key) existing = &local;
    }
    if (existing) {
        // Declared again: one more place that names the same thing.
        r.analysis.uses.push_back({*existing, r.span_of(name), false});
        return;
    }
    Definition definition;
    definition.kind = kind;
    definition.name = r.text_of(name);
    definition.key = key;
    definition.scope = scope;
    definition.at = r.span_of(name);
    const std::size_t index = r.define(std::move(definition));
    if (scope < 0)
        r.globals.emplace(std::move(key), index);
    else
        r.locals[scope].push_back(index);
}

// DIM, LOCAL, STATIC and CONST: comma-separated items, each starting with the name it declares.
} // namespace

void read_declarations(Reading& r, Tokens begin, Tokens end, bool local, bool constant) {
    Tokens p = begin;
    if (p < end && (r.is_word(*p, "integer") || r.is_word(*p, "float") || r.is_word(*p, "string")))
        ++p;
    const long scope = local && r.scope >= 0 ? r.scope : -1;
    while (p < end) {
        const Tokens item_end = next_comma(r, p, end);
        if (p->kind == CodeTokenKind::word && !r.is_keyword(*p)) {
            const bool array = p + 1 < item_end && is_symbol(r, p[1], '(');
            declare(r, *p,
                    constant ? NameKind::constant
                    : array  ? NameKind::array
                             : NameKind::variable,
                    scope);
            read_expression(r, p + 1, item_end);
        } else {
            read_expression(r, p, item_end);
        }
        p = item_end == end ? end : item_end + 1;
    }
}

void read_routine(Reading& r, Tokens begin, Tokens end, bool function) {
    const CodeToken& keyword = *begin;
    if (begin + 1 >= end || begin[1].kind != CodeTokenKind::word) {
        open_block(r, function ? BlockKind::function : BlockKind::sub, keyword);
        return;
    }
    const CodeToken& name = begin[1];
    Definition definition;
    definition.kind = function ? NameKind::function : NameKind::sub;
    definition.name = r.text_of(name);
    name_key(definition.name, definition.key);
    definition.at = r.span_of(name);
    open_block(r, function ? BlockKind::function : BlockKind::sub, keyword);
    const auto earlier = r.routines.find(definition.key);
    if (earlier != r.routines.end()) {
        const Definition& first = r.analysis.definitions[earlier->second];
        r.problem("DUPSUB", definition.at,
                  definition.name + " is already defined as a " +
                      (first.kind == NameKind::function ? "FUNCTION" : "SUB"));
    }
    const std::string key = definition.key;
    const std::size_t index = r.define(std::move(definition));
    if (earlier == r.routines.end()) r.routines.emplace(key, index);
    r.scope = static_cast<long>(index);

    Tokens p = begin + 2, params_end = end;
    if (p < end && is_symbol(r, *p, '(')) {
        params_end = after_parens(r, p, end) - 1;
        ++p;
    }
    std::size_t count = 0;
    while (p < params_end) {
        const Tokens item_end = next_comma(r, p, params_end);
        if (p->kind == CodeTokenKind::word && !r.is_keyword(*p)) {
            declare(r, *p, NameKind::parameter, r.scope);
            ++count;
        }
        p = item_end == params_end ? params_end : item_end + 1;
    }
    r.analysis.definitions[index].parameters = count;
}
