// The program's line styler.
#include "editor/line_styler.h"

#include "editor/names.h"
#include "editor/statement_reader.h"
#include "editor/tokens.h"

void learn_name(EditorRecord& record, std::string_view utf8_name, bool label) {
    std::string name = decode_utf8_bytes(utf8_name);
    if (name.empty()) return;
    register_words(record.words, label ? name + " " + name + ":" : name, style::name, word_plain);
    if (record.on_name_learnt) record.on_name_learnt(name);
}

int style_program_line(EditorRecord& record, std::string_view line, std::string& styles) {
    LineNames names = line_names(without_line_end(line));
    // Recolouring starts a line or more above the change, so lines above the one Return was
    // pressed in leave the flag for that line: otherwise a header typed below another line
    // would never be learnt.
    const bool before_return_line = record.rescan_line >= 0 && record.styling_line >= 0 &&
                                    record.styling_line < record.rescan_line;
    if (record.rescan && !before_return_line) {
        if (names.header && !names.name.empty()) learn_name(record, names.name, false);
        record.rescan = false;
    }
    if (!names.label.empty()) learn_name(record, names.label, true);

    // The previous word decides whether SUB or FUNCTION closes a block (END SUB), leaves it
    // alone (EXIT SUB) or opens one.
    enum class Previous { other, end, exit } previous = Previous::other;
    const bool maximite = record.syntax == Syntax::maximite;
    StatementReader reader;
    std::string_view rest = line;
    while (!rest.empty()) {
        Token token = style_token(record, rest);
        bool member = false;
        if (maximite) {
            const TokenRole role = reader.next(rest, token, names.label);
            if (role == TokenRole::comment) {
                token = {comment_length(rest), style::comment};
            } else if (role == TokenRole::label) {
                ++token.length; // the label's colon takes the label's style
            }
            member = role == TokenRole::member;
            if (member) token.style = style::default_text;
            if (!(record.behaviour_flags & behaviour_colouring)) token.style = style::default_text;
        }
        styles.append(token.length, static_cast<char>(token.style));
        std::string_view text = rest.substr(0, token.length);
        if (!member && (equals_lower(text, "sub") || equals_lower(text, "function"))) {
            if (previous == Previous::end) {
                if (record.fold_level > fold_level_base || record.fold_delta != 0)
                    --record.fold_delta;
            } else if (previous != Previous::exit) {
                ++record.fold_delta;
            }
        }
        if (text[0] != ' ' && text[0] != '\t') {
            previous = equals_lower(text, "end")    ? Previous::end
                       : equals_lower(text, "exit") ? Previous::exit
                                                    : Previous::other;
        }
        rest.remove_prefix(token.length);
    }
    return 0;
}
