// Playing a line's record: its definitions, blocks and uses, placed where the line now stands.
#include "analysis/replay.h"

namespace {

void define_label(Replay& r, const Op& op, const SourceSpan& at) {
    if (r.labels[op.key] != no_definition) {
        r.problem("DUPLABEL", at, "The label " + r.text_at(at) + " is already defined");
        return;
    }
    const std::size_t index = r.define(NameKind::label, op.key, at);
    r.analysis.definitions[index].routine = r.scope;
    r.labels[op.key] = index;
}

void define_data_routine(Replay& r, const Op& op, const SourceSpan& at) {
    if (r.routines[op.key] != no_definition) {
        r.problem("DUPSUB", at, r.text_at(at) + " is already defined");
        return;
    }
    const std::size_t index = r.define(op.flag ? NameKind::function : NameKind::sub, op.key, at);
    r.analysis.definitions[index].fixed_parameters = false;
    r.routines[op.key] = index;
}

void define_routine(Replay& r, const Op& op, const SourceSpan& at) {
    const std::size_t earlier = r.routines[op.key];
    const std::size_t index = r.define(op.flag ? NameKind::function : NameKind::sub, op.key, at);
    if (earlier != no_definition) {
        const Definition& first = r.analysis.definitions[earlier];
        r.problem("DUPSUB", at,
                  r.text_at(at) + " is already defined as a " +
                      (first.kind == NameKind::function ? "FUNCTION" : "SUB"));
    } else {
        r.routines[op.key] = index;
    }
    r.analysis.definitions[index].parameters = op.count;
    r.scope = static_cast<long>(index);
}

void declare(Replay& r, const Op& op, const SourceSpan& at, long scope) {
    std::size_t existing = no_definition;
    if (scope < 0) {
        existing = r.globals[op.key];
    } else {
        for (const std::size_t local : r.locals[scope])
            if (r.definition_keys[local] == op.key) existing = local;
    }
    if (existing != no_definition) {
        // Declared again: one more place that names the same thing.
        PendingUse use;
        use.at = at;
        use.declared = existing;
        r.pending.push_back(use);
        return;
    }
    const std::size_t index = r.define(static_cast<NameKind>(op.sub), op.key, at, scope);
    if (scope < 0)
        r.globals[op.key] = index;
    else
        r.locals[scope].push_back(index);
}

void require_block(Replay& r, const LineRecord& record, const Op& op, const SourceSpan& at) {
    const auto kind = static_cast<BlockKind>(op.sub);
    if (!inside_block(r, kind))
        r.problem(kind == BlockKind::if_block || kind == BlockKind::select_block ? "UNOPENED"
                                                                                 : "EXIT",
                  at, record.notes[op.count].text + " outside " + block_name(kind));
}

void close_next(Replay& r, const Op& op, const SourceSpan& at) {
    const bool mismatch = !r.blocks.empty() && r.blocks.back().kind == BlockKind::for_block &&
                          r.blocks.back().for_key != no_key && r.blocks.back().for_key != op.key;
    if (mismatch)
        r.problem("NEXTVAR", at, "NEXT " + r.text_at(at) + " closes the FOR of another variable");
    close_block(r, BlockKind::for_block, at);
}

} // namespace

std::size_t Replay::define(NameKind kind, KeyId key, const SourceSpan& at, long scope_of) {
    Definition definition;
    definition.kind = kind;
    definition.name = text_at(at);
    definition.key = keys.keys[key];
    definition.scope = scope_of;
    definition.at = at;
    analysis.definitions.push_back(std::move(definition));
    definition_keys.push_back(key);
    return analysis.definitions.size() - 1;
}

void play_record(Replay& r, const LineRecord& record, std::size_t start, std::size_t line,
                 SourceSpan& data_header) {
    // Inside a TYPE, the statements are skipped up to the next one as deep or less deep.
    std::uint32_t skipping_from = UINT32_MAX;
    for (const Op& op : record.ops) {
        const SourceSpan at{r.file, line + op.line, start + op.offset, op.length};
        if (op.kind == OpKind::statement) {
            if (skipping_from != UINT32_MAX && op.count > skipping_from) continue;
            skipping_from = r.in_type && !op.flag ? op.count : UINT32_MAX;
            continue;
        }
        if (skipping_from != UINT32_MAX) continue;
        switch (op.kind) {
        case OpKind::problem:
            r.problem(record.notes[op.count].code, at, record.notes[op.count].text);
            break;
        case OpKind::line_number:
            if (r.line_numbers[op.key] == no_definition)
                r.line_numbers[op.key] = r.define(NameKind::line_number, op.key, at);
            break;
        case OpKind::label:
            define_label(r, op, at);
            break;
        case OpKind::data_block:
            data_header = at;
            break;
        case OpKind::data_routine:
            define_data_routine(r, op, at);
            break;
        case OpKind::include:
            r.includes.push_back({record.notes[op.count].text, at});
            break;
        case OpKind::use: {
            PendingUse use;
            use.kind = static_cast<UseKind>(op.sub);
            use.key = op.key;
            use.at = at;
            use.scope = r.scope;
            use.arguments = op.count;
            use.sets = op.flag;
            use.lenient = op.flag2;
            r.pending.push_back(use);
            break;
        }
        case OpKind::open_block:
            open_block(r, static_cast<BlockKind>(op.sub), at, op.key);
            break;
        case OpKind::close_block:
            close_block(r, static_cast<BlockKind>(op.sub), at);
            break;
        case OpKind::end_routine:
            r.scope = -1;
            break;
        case OpKind::require_block:
            require_block(r, record, op, at);
            break;
        case OpKind::next_var:
            close_next(r, op, at);
            break;
        case OpKind::declare:
            declare(r, op, at, op.flag && r.scope >= 0 ? r.scope : -1);
            break;
        case OpKind::parameter:
            declare(r, op, at, r.scope);
            break;
        case OpKind::routine:
            define_routine(r, op, at);
            break;
        case OpKind::type_block:
            open_block(r, BlockKind::type, at);
            r.in_type = true;
            break;
        case OpKind::end_type:
            if (r.in_type) {
                close_block(r, BlockKind::type, at);
                r.in_type = false;
            }
            break;
        case OpKind::explicit_option:
            r.analysis.explicit_option = true;
            break;
        case OpKind::statement:
            break;
        }
    }
}
