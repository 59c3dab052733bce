// Reading a program's names statement by statement for the variable report.
#include "tools/report_reader.h"

#include "tools/line_scan.h"
#include "tools/report_tokens.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace report {
namespace {

using Kind = ReportedName::Kind;

struct Reader {
    std::unordered_set<std::string> keywords;
    std::unordered_set<std::string> constants; // built_in_constants
    std::unordered_set<std::string> labels;    // in capitals
    bool in_type = false;                      // between TYPE and END TYPE: member declarations
    std::vector<ReportedName> names;
    std::unordered_map<std::string, std::size_t> by_key; // scope + "\1" + upper name
    std::vector<ReportWarning> warnings;
    bool option_explicit = false;
    std::string scope;      // the SUB or FUNCTION being read, in capitals
    std::string scope_name; // as written
    std::size_t line = 0;
    const std::vector<Token>* tokens = nullptr;

    // Uses and sets are resolved once every declaration is known.
    struct Event {
        std::string scope, upper, spelling;
        std::size_t line;
        bool set;
        bool called; // followed by "(", or a statement of its own
    };
    std::vector<Event> events;

    bool is_keyword(const std::string& upper) const { return keywords.count(upper) != 0; }

    std::string word(std::size_t i) const {
        return i < tokens->size() && (*tokens)[i].kind == TokenKind::word
                   ? upper_text((*tokens)[i].text)
                   : std::string();
    }
    bool symbol(std::size_t i, char c) const {
        return i < tokens->size() && (*tokens)[i].kind == TokenKind::symbol &&
               (*tokens)[i].text[0] == c;
    }
    // The index after the bracket closing the one at `i`.
    std::size_t after_brackets(std::size_t i, std::size_t end) const {
        int depth = 0;
        for (; i < end; ++i) {
            if (symbol(i, '(')) ++depth;
            if (symbol(i, ')') && --depth <= 0) return i + 1;
        }
        return end;
    }

    ReportedName& declare(Kind kind, std::string_view name, const std::string& in_scope,
                          const std::string& declaration, std::string type) {
        const std::string upper = upper_text(name);
        const std::string key = in_scope + "\1" + upper;
        auto found = by_key.find(key);
        if (found != by_key.end()) {
            ReportedName& known = names[found->second];
            if (!known.declared.empty())
                warnings.push_back({line, std::string(name) + " is declared twice in " +
                                              (in_scope.empty() ? "the program" : scope_name)});
            known.declared.push_back(line);
            return known;
        }
        ReportedName entry;
        entry.kind = kind;
        entry.name = std::string(name);
        const std::string suffix_type = type_of_suffix(name);
        entry.type = !suffix_type.empty() ? suffix_type : type;
        if (entry.type.empty() && kind != Kind::sub) entry.type = "FLOAT";
        entry.scope = in_scope.empty() ? std::string() : scope_name;
        entry.declaration = declaration;
        entry.declared.push_back(line);
        by_key.emplace(key, names.size());
        names.push_back(std::move(entry));
        return names.back();
    }

    void event(std::size_t i, bool set) {
        const std::string upper = word(i);
        if (upper.empty() || is_keyword(upper) || upper.rfind("MM.", 0) == 0) return;
        events.push_back(
            {scope, upper, std::string((*tokens)[i].text), line, set, symbol(i + 1, '(')});
    }

    // Every word from `i` to `end` is a use, except jump targets.
    void uses(std::size_t i, std::size_t end) {
        for (; i < end; ++i) {
            const std::string upper = word(i);
            if (upper == "GOTO" || upper == "GOSUB" || upper == "RESTORE") {
                ++i;
                continue;
            }
            if (!upper.empty()) event(i, false);
        }
    }

    // The next comma at bracket depth 0 from `i`, or `end`.
    std::size_t item_end(std::size_t i, std::size_t end) const {
        int depth = 0;
        for (; i < end; ++i) {
            if (symbol(i, '(')) ++depth;
            if (symbol(i, ')')) --depth;
            if (depth <= 0 && symbol(i, ',')) return i;
        }
        return end;
    }

    // SUB name(a, b() AS STRING) or FUNCTION name(...) AS type.
    void header(bool is_function, std::size_t end) {
        if (word(1).empty()) return;
        const std::string_view name = (*tokens)[1].text;
        std::size_t close = symbol(2, '(') ? after_brackets(2, end) : 2;
        std::string type;
        if (word(close) == "AS") type = word(close + 1);
        scope = upper_text(name);
        scope_name = std::string(name);
        declare(is_function ? Kind::function : Kind::sub, name, {},
                is_function ? "FUNCTION" : "SUB", type);
        for (std::size_t i = 3; i + 1 < close;) {
            const std::size_t stop = std::min(item_end(i, close - 1), close - 1);
            if (!word(i).empty()) {
                const bool array = symbol(i + 1, '(');
                std::string param_type;
                for (std::size_t j = i; j + 1 < stop; ++j)
                    if (word(j) == "AS") param_type = word(j + 1);
                ReportedName& param = declare(array ? Kind::array : Kind::parameter,
                                              (*tokens)[i].text, scope, "parameter", param_type);
                param.set.push_back(line);
            }
            i = stop + 1;
        }
    }

    // DIM, LOCAL, STATIC and CONST lists.
    void declarations(const std::string& what, std::size_t i, std::size_t end) {
        std::string type;
        if (word(i) == "INTEGER" || word(i) == "FLOAT" || word(i) == "STRING") type = word(i++);
        const std::string in_scope = what == "DIM" && scope.empty() ? std::string() : scope;
        while (i < end) {
            const std::size_t stop = item_end(i, end);
            if (!word(i).empty() && !is_keyword(word(i))) {
                std::size_t j = i + 1;
                const bool array = symbol(j, '(');
                if (array) {
                    const std::size_t close = after_brackets(j, stop);
                    uses(j, close);
                    j = close;
                }
                std::string item_type = type;
                if (word(j) == "AS") {
                    item_type = word(j + 1);
                    j += 2;
                }
                ReportedName& entry = declare(what == "CONST" ? Kind::constant
                                              : array         ? Kind::array
                                                              : Kind::variable,
                                              (*tokens)[i].text, in_scope, what, item_type);
                if (symbol(j, '=')) {
                    entry.set.push_back(line);
                    uses(j + 1, stop);
                }
            }
            i = stop + 1;
        }
    }

    // INPUT, LINE INPUT and READ: each item of the list is set.
    void targets(std::size_t i, std::size_t end) {
        if (i < end && (*tokens)[i].kind == TokenKind::string) {
            i += 2; // the prompt and its ";" or ","
        }
        if (symbol(i, '#')) i = item_end(i, end) + 1; // a file number
        while (i < end) {
            const std::size_t stop = item_end(i, end);
            if (!word(i).empty()) {
                event(i, true);
                uses(i + 1, stop);
            }
            i = stop + 1;
        }
    }

    void statement(std::size_t begin, std::size_t end) {
        if (begin >= end) return;
        const std::string first = word(begin);
        if (in_type) {
            in_type = !(first == "END" && word(begin + 1) == "TYPE");
            return;
        }
        if (first == "LET") return statement(begin + 1, end);
        // The words of an OPTION line name settings ("OPTION CODEPAGE CMM2"), never variables.
        if (first == "OPTION") {
            if (word(begin + 1) == "EXPLICIT") option_explicit = true;
            return;
        }
        if (first == "TYPE" && !word(begin + 1).empty() && begin + 2 == end) {
            in_type = true;
            return;
        }
        if (first == "END" && (word(begin + 1) == "SUB" || word(begin + 1) == "FUNCTION")) {
            scope.clear();
            scope_name.clear();
            return;
        }
        if (first == "DIM" || first == "LOCAL" || first == "STATIC" || first == "CONST")
            return declarations(first, begin + 1, end);
        if (first == "FOR") {
            event(begin + 1, true);
            return uses(begin + 2, end);
        }
        if (first == "INPUT" || first == "READ") return targets(begin + 1, end);
        if (first == "LINE" && word(begin + 1) == "INPUT") return targets(begin + 2, end);
        if (first == "NEXT") return uses(begin + 1, end); // the loop reads its variable
        if (first == "GOTO" || first == "GOSUB" || first == "RESTORE" || first == "EXIT") return;
        if (first == "ON") { // ON x GOTO label, label: the labels are no variables
            std::size_t jump = begin + 1;
            while (jump < end && word(jump) != "GOTO" && word(jump) != "GOSUB") ++jump;
            return uses(begin + 1, jump);
        }
        if (!first.empty() && !is_keyword(first)) {
            std::size_t i = begin + 1;
            if (symbol(i, '(')) i = after_brackets(i, end);
            if (symbol(i, '=')) {
                event(begin, true);
                uses(begin + 1, end);
                return;
            }
            events.push_back({scope, first, std::string((*tokens)[begin].text), line, false, true});
            return uses(begin + 1, end);
        }
        uses(begin, end);
    }

    // One line's code: statements split at ":", and at THEN and ELSE.
    void code_line(const std::vector<Token>& line_tokens, bool line_start) {
        tokens = &line_tokens;
        const std::size_t n = line_tokens.size();
        if (n == 0) return;
        // #INCLUDE, #DEFINE and the other directives are read before the program runs.
        if (line_start && symbol(0, '#')) return;
        if (line_start && (word(0) == "SUB" || word(0) == "FUNCTION"))
            return header(word(0) == "FUNCTION", n);
        std::size_t begin = 0;
        // A label at the start of the line: one word and a colon.
        if (line_start && n >= 2 && !word(0).empty() && symbol(1, ':') && !is_keyword(word(0))) {
            labels.insert(word(0));
            begin = 2;
        }
        for (std::size_t i = begin; i <= n; ++i) {
            const std::string w = word(i);
            if (i == n || symbol(i, ':') || w == "THEN" || w == "ELSE") {
                statement(begin, i);
                begin = i + 1;
            }
        }
    }

    ReportedName* resolve(const Event& e) {
        if (!e.scope.empty()) {
            auto local = by_key.find(e.scope + "\1" + e.upper);
            if (local != by_key.end()) return &names[local->second];
        }
        auto global = by_key.find("\1" + e.upper);
        if (global != by_key.end()) return &names[global->second];
        // A member after a dot ("p.x" of DIM p AS point) belongs to the structure.
        const std::size_t dot = e.upper.find('.');
        if (dot != std::string::npos && dot > 0) {
            Event whole = e;
            whole.upper = e.upper.substr(0, dot);
            return resolve(whole);
        }
        return nullptr;
    }

    void resolve_events() {
        std::unordered_set<std::string> set_somewhere;
        for (const Event& e : events)
            if (e.set) set_somewhere.insert(e.upper);
        for (const Event& e : events) {
            ReportedName* entry = resolve(e);
            if (!entry) {
                // A call of something never declared is a built-in function or command.
                if (e.called) continue;
                // Named arguments of commands, and labels, are never variables.
                if (!set_somewhere.count(e.upper) &&
                    (constants.count(e.upper) || is_pin_name(e.upper) || labels.count(e.upper)))
                    continue;
                ReportedName made;
                made.kind = Kind::variable;
                made.name = e.spelling;
                made.type = type_of_suffix(e.spelling);
                if (made.type.empty()) made.type = "FLOAT";
                by_key.emplace("\1" + e.upper, names.size());
                names.push_back(std::move(made));
                entry = &names.back();
                if (option_explicit)
                    warnings.push_back({e.line, e.spelling + " is not declared (OPTION EXPLICIT)"});
            }
            if ((entry->kind == Kind::sub || entry->kind == Kind::function) && e.set) continue;
            if (entry->name != e.spelling && entry->name.size() == e.spelling.size() &&
                upper_text(entry->name) == e.upper) {
                warnings.push_back({e.line, e.spelling + " is written " + entry->name +
                                                " elsewhere: the names differ only in case"});
            }
            std::vector<std::size_t>& lines = e.set ? entry->set : entry->used;
            if (lines.empty() || lines.back() != e.line) lines.push_back(e.line);
        }
    }

    void final_warnings() {
        for (const ReportedName& entry : names) {
            const bool value = entry.kind == Kind::variable || entry.kind == Kind::array ||
                               entry.kind == Kind::constant;
            if (!value) continue;
            if (!entry.used.empty() && entry.set.empty() && entry.kind != Kind::constant)
                warnings.push_back({entry.used.front(), entry.name + " is used but never set"});
            if (entry.used.empty() && !entry.set.empty())
                warnings.push_back({entry.set.front(), entry.name + " is set but never used"});
            if (!entry.scope.empty() && entry.declaration != "parameter" &&
                by_key.count("\1" + upper_text(entry.name)))
                warnings.push_back({entry.declared.empty() ? 0 : entry.declared.front(),
                                    entry.declaration + " " + entry.name + " in " + entry.scope +
                                        " hides the global " + entry.name});
        }
    }
};

// Keeps one warning per text: a misspelling met on many lines is told at the first.
void unique_warnings(std::vector<ReportWarning>& warnings) {
    std::stable_sort(
        warnings.begin(), warnings.end(),
        [](const ReportWarning& a, const ReportWarning& b) { return a.line < b.line; });
    std::unordered_set<std::string> seen;
    std::vector<ReportWarning> kept;
    for (ReportWarning& warning : warnings)
        if (seen.insert(warning.text).second) kept.push_back(std::move(warning));
    warnings = std::move(kept);
}

void add_words(std::unordered_set<std::string>& set, std::string_view words) {
    while (!words.empty()) {
        std::size_t blank = words.find(' ');
        std::string_view w = words.substr(0, blank);
        if (!w.empty()) set.insert(upper_text(w));
        if (blank == std::string_view::npos) break;
        words.remove_prefix(blank + 1);
    }
}

} // namespace

VariableReport read_program_names(std::string_view text, std::string_view keywords) {
    Reader reader;
    add_words(reader.keywords, built_in_words);
    add_words(reader.keywords, keywords);
    add_words(reader.constants, built_in_constants);
    const ScannedProgram program = scan_program(text);
    std::vector<Token> tokens;
    for (std::size_t n = 0; n < program.lines.size(); ++n) {
        const ScannedLine& line = program.lines[n];
        if (line.data) continue;
        reader.line = n + 1;
        const std::size_t comment = comment_start(line.text, line.start);
        const std::size_t end = comment == std::string_view::npos ? line.text.size() : comment;
        tokenize(line.text.substr(line.start, end - line.start), tokens);
        reader.code_line(tokens, !line.continuation);
    }
    reader.resolve_events();
    reader.final_warnings();
    unique_warnings(reader.warnings);
    VariableReport found;
    found.names = std::move(reader.names);
    found.warnings = std::move(reader.warnings);
    return found;
}

} // namespace report
