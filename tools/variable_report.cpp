// The variable report: the names a program declares, sets and uses, sorted and formatted.
#include "tools/variable_report.h"

#include "tools/report_reader.h"
#include "tools/report_tokens.h"

#include <algorithm>

namespace {

using Kind = ReportedName::Kind;

const char* kind_text(Kind kind) {
    switch (kind) {
    case Kind::variable:
        return "variable";
    case Kind::array:
        return "array";
    case Kind::constant:
        return "constant";
    case Kind::parameter:
        return "parameter";
    case Kind::sub:
        return "SUB";
    case Kind::function:
        return "FUNCTION";
    }
    return "";
}

void append_lines(std::string& out, const char* label, const std::vector<std::size_t>& lines) {
    if (lines.empty()) return;
    out += "  ";
    out += label;
    for (std::size_t line : lines) {
        out += ' ';
        out += std::to_string(line);
    }
}

void pad(std::string& out, std::size_t from, std::size_t width) {
    const std::size_t used = out.size() - from;
    out.append(used < width ? width - used : 1, ' ');
}

} // namespace

VariableReport make_variable_report(std::string_view text, std::string_view keywords) {
    VariableReport found = report::read_program_names(text, keywords);
    std::stable_sort(found.names.begin(), found.names.end(),
                     [](const ReportedName& a, const ReportedName& b) {
                         const std::string ua = upper_text(a.name), ub = upper_text(b.name);
                         return ua != ub ? ua < ub : upper_text(a.scope) < upper_text(b.scope);
                     });
    return found;
}

std::string format_variable_report(const VariableReport& report, std::string_view program_name,
                                   std::string_view line_end) {
    std::string out = "' Variable report for ";
    out += program_name;
    out += line_end;
    out += "' Double-click a line number to go to that line.";
    out += line_end;
    out += line_end;
    for (const ReportedName& entry : report.names) {
        const std::size_t start = out.size();
        out += entry.name;
        pad(out, start, 20);
        out += kind_text(entry.kind);
        pad(out, start, 31);
        out += entry.type;
        pad(out, start, 40);
        out += entry.scope.empty() ? std::string("global") : entry.scope;
        if (!entry.declaration.empty()) {
            out += "  ";
            out += entry.declaration;
            out += " at";
            for (std::size_t line : entry.declared) {
                out += ' ';
                out += std::to_string(line);
            }
        }
        append_lines(out, "set", entry.set);
        append_lines(out, "used", entry.used);
        out += line_end;
    }
    out += line_end;
    out += "' Warnings";
    out += line_end;
    if (report.warnings.empty()) {
        out += "none";
        out += line_end;
    }
    for (const ReportWarning& warning : report.warnings) {
        out += std::to_string(warning.line);
        out += ": ";
        out += warning.text;
        out += line_end;
    }
    return out;
}
