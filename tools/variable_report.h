// The variable report: every variable, array, constant, SUB and FUNCTION of a program with its
// type, declaration and the lines that set and use it, and the warnings a programmer acts on.
// Pure functions over 8-bit text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ReportedName {
    enum class Kind { variable, array, constant, parameter, sub, function };
    Kind kind = Kind::variable;
    std::string name;        // as first written
    std::string type;        // "INTEGER", "FLOAT", "STRING"; empty for a SUB
    std::string scope;       // the SUB or FUNCTION it is local to; empty for global
    std::string declaration; // "DIM", "LOCAL", "STATIC", "CONST", "parameter", "SUB", ...; empty
    std::vector<std::size_t> declared; // 1-based lines
    std::vector<std::size_t> set;
    std::vector<std::size_t> used;
};

struct ReportWarning {
    std::size_t line = 0; // 1-based
    std::string text;
};

struct VariableReport {
    std::vector<ReportedName> names;     // sorted by name, regardless of case, then by scope
    std::vector<ReportWarning> warnings; // in line order
};

// Reads the program. `keywords` are the words of the language (commands, functions), each
// followed by one blank in any case; they are never names. A built-in list of the statements the
// report reads is always added.
VariableReport make_variable_report(std::string_view text, std::string_view keywords);

// The report as text, one name a line, then the warnings; every line number in it stands alone
// as a word, so a double click on it can jump to the line. `program_name` heads the report.
std::string format_variable_report(const VariableReport& report, std::string_view program_name,
                                   std::string_view line_end = "\n");
