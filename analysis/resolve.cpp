// Resolving the uses met while reading: each name to its definition, or a problem.
#include "analysis/replay.h"

#include <algorithm>

namespace {

constexpr std::size_t none = no_definition;

std::size_t find_variable_key(Replay& r, long scope, KeyId key) {
    if (key == no_key) return none;
    if (scope >= 0) {
        const auto locals = r.locals.find(scope);
        if (locals != r.locals.end())
            for (const std::size_t local : locals->second)
                if (r.definition_keys[local] == key) return local;
    }
    return r.globals[key];
}

// A variable, array or constant; "p.x" is the member of a structure "p" when no "p.x" exists.
std::size_t find_variable(Replay& r, long scope, KeyId key) {
    const std::size_t found = find_variable_key(r, scope, key);
    if (found != none) return found;
    return find_variable_key(r, scope, r.keys.before_dot[key]);
}

void check_arguments(Replay& r, const PendingUse& use, std::size_t routine) {
    const Definition& definition = r.analysis.definitions[routine];
    if (!definition.fixed_parameters || use.arguments <= definition.parameters) return;
    r.problem("ARGS", use.at,
              definition.name + " takes " + std::to_string(definition.parameters) +
                  (definition.parameters == 1 ? " argument, not " : " arguments, not ") +
                  std::to_string(use.arguments));
}

// The definition a name in an expression stands for, or none after reporting why.
std::size_t resolve_value(Replay& r, const PendingUse& use) {
    std::size_t found = find_variable(r, use.scope, use.key);
    if (found != none) return found;
    found = r.routines[use.key];
    if (found != none) {
        if (use.kind == UseKind::indexed) check_arguments(r, use, found);
        return found;
    }
    // SETTICK, SETPIN and ON KEY name the routine or label an interrupt goes to.
    if (use.kind == UseKind::value) {
        found = r.labels[use.key];
        if (found != none) return found;
    }
    const std::string name = r.text_at(use.at);
    if (use.kind == UseKind::indexed && r.keywords.given && !use.lenient) {
        r.problem("NOSUB", use.at, name + " is neither a FUNCTION nor an array");
        return none;
    }
    if (r.analysis.explicit_option && r.keywords.given && !use.lenient)
        r.problem("UNDECLARED", use.at, name + " is not declared (OPTION EXPLICIT)");
    // Anything else is a variable made by its first use, global as the board makes it.
    const std::size_t index = r.define(
        use.kind == UseKind::indexed ? NameKind::array : NameKind::variable, use.key, use.at);
    r.analysis.definitions[index].declared = false;
    r.globals[use.key] = index;
    return index;
}

std::size_t resolve(Replay& r, const PendingUse& use) {
    if (use.declared != none) return use.declared;
    switch (use.kind) {
    case UseKind::target: {
        const std::string& key = r.keys.keys[use.key];
        const bool number = !key.empty() && key[0] >= '0' && key[0] <= '9';
        std::size_t found = number ? r.line_numbers[use.key] : r.labels[use.key];
        if (found == none && !number) found = find_variable(r, use.scope, use.key);
        if (found == none)
            r.problem("NOLABEL", use.at,
                      (number ? "There is no line " : "There is no label ") + r.text_at(use.at));
        return found;
    }
    case UseKind::call: {
        const std::size_t found = r.routines[use.key];
        if (found != none) {
            check_arguments(r, use, found);
        } else if (r.keywords.given) {
            r.problem("NOSUB", use.at, "There is no SUB " + r.text_at(use.at));
        }
        return found;
    }
    case UseKind::keyword_call: {
        const std::size_t found = r.routines[use.key];
        if (found != none) check_arguments(r, use, found);
        return found;
    }
    default:
        return resolve_value(r, use);
    }
}

void add_hints(Replay& r) {
    const std::vector<Definition>& definitions = r.analysis.definitions;
    std::vector<unsigned char> set(definitions.size()), read(definitions.size());
    for (const NameUse& use : r.analysis.uses) (use.sets ? set : read)[use.definition] = 1;
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        const Definition& d = definitions[i];
        // An undeclared name under OPTION EXPLICIT has its problem already.
        const bool reported = !d.declared && r.analysis.explicit_option;
        if ((d.kind == NameKind::variable || d.kind == NameKind::array) && set[i] && !read[i] &&
            !reported)
            r.problem("UNUSED", d.at, d.name + " is set but never used", Severity::hint);
        if (d.scope >= 0 && d.kind != NameKind::parameter &&
            r.globals[r.definition_keys[i]] != none)
            r.problem("HIDES", d.at, "The local " + d.name + " hides a global of the same name",
                      Severity::hint);
    }
}

} // namespace

void resolve_uses(Replay& r) {
    for (const PendingUse& use : r.pending) {
        const std::size_t found = resolve(r, use);
        if (found != none) r.analysis.uses.push_back({found, use.at, use.sets});
    }
    r.pending.clear();
    // Played in text order, the uses are mostly in order already.
    const auto before = [](const NameUse& a, const NameUse& b) {
        return a.at.file != b.at.file ? a.at.file < b.at.file : a.at.offset < b.at.offset;
    };
    if (!std::is_sorted(r.analysis.uses.begin(), r.analysis.uses.end(), before))
        std::stable_sort(r.analysis.uses.begin(), r.analysis.uses.end(), before);
    add_hints(r);
}
