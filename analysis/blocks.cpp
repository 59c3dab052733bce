// Following the blocks of a file: each closing word must close the innermost open block.
#include "analysis/replay.h"

const char* block_name(BlockKind kind) {
    switch (kind) {
    case BlockKind::if_block:
        return "IF";
    case BlockKind::for_block:
        return "FOR";
    case BlockKind::do_block:
        return "DO";
    case BlockKind::while_block:
        return "WHILE";
    case BlockKind::select_block:
        return "SELECT CASE";
    case BlockKind::sub:
        return "SUB";
    case BlockKind::function:
        return "FUNCTION";
    case BlockKind::type:
        return "TYPE";
    }
    return "";
}

namespace {

const char* closing_word(BlockKind kind) {
    switch (kind) {
    case BlockKind::if_block:
        return "ENDIF";
    case BlockKind::for_block:
        return "NEXT";
    case BlockKind::do_block:
        return "LOOP";
    case BlockKind::while_block:
        return "WEND";
    case BlockKind::select_block:
        return "END SELECT";
    case BlockKind::sub:
        return "END SUB";
    case BlockKind::function:
        return "END FUNCTION";
    case BlockKind::type:
        return "END TYPE";
    }
    return "";
}

void report_unclosed(Replay& reading, const OpenBlock& block) {
    reading.problem("UNCLOSED", block.at,
                    std::string(block_name(block.kind)) + " has no matching " +
                        closing_word(block.kind));
}

bool is_routine(BlockKind kind) {
    return kind == BlockKind::sub || kind == BlockKind::function;
}

} // namespace

void open_block(Replay& reading, BlockKind kind, const SourceSpan& at, KeyId for_key) {
    if (is_routine(kind)) {
        // A routine cannot stand inside anything: whatever is still open was never closed.
        for (const OpenBlock& block : reading.blocks) report_unclosed(reading, block);
        reading.blocks.clear();
    }
    reading.blocks.push_back({kind, at, for_key});
}

bool close_block(Replay& reading, BlockKind kind, const SourceSpan& at) {
    std::size_t found = reading.blocks.size();
    bool other_routine = false;
    while (found > 0) {
        const BlockKind open = reading.blocks[found - 1].kind;
        if (open == kind) break;
        // A block never closes across the routine it is in; END SUB closes a FUNCTION (and the
        // other way round) with a problem, so that one slip is reported once.
        if (is_routine(open)) {
            other_routine = is_routine(kind);
            if (!other_routine) found = 0;
            break;
        }
        --found;
    }
    if (other_routine) {
        reading.problem("UNOPENED", at,
                        std::string(closing_word(kind)) + " closes a " +
                            block_name(reading.blocks[found - 1].kind));
    } else if (found == 0) {
        reading.problem("UNOPENED", at,
                        std::string(closing_word(kind)) + " without " + block_name(kind));
        return false;
    }
    for (std::size_t i = found; i < reading.blocks.size(); ++i)
        report_unclosed(reading, reading.blocks[i]);
    reading.blocks.resize(found - 1);
    return true;
}

bool inside_block(const Replay& reading, BlockKind kind) {
    for (auto block = reading.blocks.rbegin(); block != reading.blocks.rend(); ++block) {
        if (block->kind == kind) return true;
        if (is_routine(block->kind)) return false;
    }
    return false;
}

void close_file_blocks(Replay& reading) {
    for (const OpenBlock& block : reading.blocks) report_unclosed(reading, block);
    reading.blocks.clear();
    reading.scope = -1;
    reading.in_type = false;
}
