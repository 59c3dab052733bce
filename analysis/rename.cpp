// Planning a rename from the uses the analysis found.
#include "analysis/rename.h"

#include "analysis/reading.h"

#include <algorithm>

namespace {

bool is_name(std::string_view name) {
    if (name.empty()) return false;
    const char first = name[0];
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z') || first == '_'))
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        const bool suffix = i + 1 == name.size() && (c == '$' || c == '%' || c == '!');
        if (!letter && !digit && c != '_' && c != '.' && !suffix) return false;
    }
    return true;
}

bool is_value(NameKind kind) {
    return kind == NameKind::variable || kind == NameKind::array || kind == NameKind::constant ||
           kind == NameKind::parameter;
}

// Whether `other` would be confused with `renamed` once both have the same key.
bool clashes(const Definition& renamed, const Definition& other) {
    if (renamed.kind == NameKind::label || other.kind == NameKind::label)
        return renamed.kind == other.kind;
    if (renamed.kind == NameKind::line_number || other.kind == NameKind::line_number) return false;
    const bool renamed_routine = !is_value(renamed.kind);
    const bool other_routine = !is_value(other.kind);
    // Routines and globals share one name space; a local clashes within its routine, and with
    // the routines, whose names it would take over.
    if (renamed_routine || other_routine) return true;
    // Two locals of different routines never meet; a global and a local would: the global's
    // uses inside that routine would be taken over by the local.
    if (renamed.scope >= 0 && other.scope >= 0) return renamed.scope == other.scope;
    return true;
}

} // namespace

RenamePlan plan_rename(const ProgramAnalysis& analysis, std::size_t index,
                       std::string_view new_name, std::string_view keywords) {
    RenamePlan plan;
    if (index >= analysis.definitions.size()) {
        plan.refusal = "There is nothing to rename here.";
        return plan;
    }
    const Definition& renamed = analysis.definitions[index];
    if (renamed.kind == NameKind::line_number) {
        plan.refusal = "Line numbers are renumbered, not renamed.";
        return plan;
    }
    if (!is_name(new_name)) {
        plan.refusal = std::string(new_name) + " is not a name BASIC accepts.";
        return plan;
    }
    const KeywordSet keyword_set = make_keyword_set(keywords);
    std::string scratch;
    if (keyword_set.holds(new_name, scratch)) {
        plan.refusal = std::string(new_name) + " is a keyword.";
        return plan;
    }
    std::string key;
    name_key(new_name, key);
    for (std::size_t i = 0; i < analysis.definitions.size(); ++i) {
        const Definition& other = analysis.definitions[i];
        if (i != index && other.key == key && clashes(renamed, other)) {
            plan.refusal = std::string(new_name) + " is already the name of something else.";
            return plan;
        }
    }
    std::string base(new_name);
    if (!base.empty() && (base.back() == '$' || base.back() == '%' || base.back() == '!'))
        base.pop_back();
    for (const SourceSpan& at : spans_of(analysis, index)) {
        const std::string_view old_text =
            std::string_view(analysis.files[at.file].text).substr(at.offset, at.length);
        TextEdit edit{at.offset, at.length, base};
        const char last = old_text.empty() ? '\0' : old_text.back();
        if (last == '$' || last == '%' || last == '!') edit.text += last;
        // "p.x" renamed through its structure "p": only the part before the dot changes.
        const std::size_t dot = old_text.find('.');
        if (renamed.key.find('.') == std::string::npos && dot != std::string_view::npos) {
            edit.length = dot;
            edit.text = base;
        }
        auto file = std::find_if(plan.files.begin(), plan.files.end(),
                                 [&](const FileEdits& f) { return f.file == at.file; });
        if (file == plan.files.end()) {
            plan.files.push_back({at.file, {}});
            file = plan.files.end() - 1;
        }
        file->edits.push_back(std::move(edit));
    }
    for (FileEdits& file : plan.files)
        std::sort(file.edits.begin(), file.edits.end(),
                  [](const TextEdit& a, const TextEdit& b) { return a.offset > b.offset; });
    return plan;
}
