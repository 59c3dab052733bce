// Benchmarks of the Program menu's pure work on the large generated program: line numbers,
// blank lines, comments, the variable report, and Merge of a program with 50 includes on disk.
// The reference of each is Remove indents on the same text, the simplest rewrite of every line.
#include "cases.h"
#include "program_generator.h"
#include "timing.h"

#include "base/file_io.h"
#include "tools/comments.h"
#include "tools/line_numbers.h"
#include "tools/merge.h"
#include "tools/transform.h"
#include "tools/variable_report.h"

#include <QTemporaryDir>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr unsigned program_seed = 1;
constexpr int runs = 5;

std::string large_program() {
    return generate_program(large_program_bytes, program_seed);
}

template <typename Work> std::string large_case(const char* name, Work work) {
    const std::string text = large_program();
    std::size_t size = 0; // keeps the results from being optimised away
    const double ms = best_ms(runs, [&] { size += work(text); });
    const double reference =
        best_ms(runs, [&] { size += remove_indents_text(text, "\r\n").size(); });
    return bench_line(name, ms, reference) + (size == 0 ? " (empty result)" : "");
}

} // namespace

std::string bench_remove_line_numbers_large() {
    return large_case("remove_line_numbers_large", [](const std::string& text) {
        return remove_line_numbers(text, "\r\n").text.size();
    });
}

std::string bench_add_line_numbers_large() {
    // 45,000 lines fit under the limit with step 1.
    return large_case("add_line_numbers_large", [](const std::string& text) {
        return add_line_numbers(text, {1, 1}, "\r\n").result.text.size();
    });
}

std::string bench_remove_comments_large() {
    return large_case("remove_comments_large", [](const std::string& text) {
        return remove_comments_and_blank_lines(text, "\r\n").size() +
               remove_blank_lines(text, "\r\n").size();
    });
}

std::string bench_variable_report_large() {
    return large_case("variable_report_large", [](const std::string& text) {
        return format_variable_report(make_variable_report(text, ""), "large.bas").size();
    });
}

// 50 include files of 30 KB each from the generated program, on disk, merged into a program
// that names them all. The reference reads the same 51 files and joins them.
std::string bench_merge_50_includes() {
    QTemporaryDir folder;
    const std::string base = folder.path().toStdString() + "/";
    const std::string text = large_program();
    std::string program;
    std::vector<std::string> paths;
    for (int i = 0; i < 50; ++i) {
        const std::string name = "part" + std::to_string(i) + ".inc";
        write_file_safely(base + name, text.substr(static_cast<std::size_t>(i) * 30000, 30000));
        paths.push_back(base + name);
        program += "#INCLUDE \"" + name + "\"\r\nPRINT " + std::to_string(i) + "\r\n";
    }
    write_file_safely(base + "main.bas", program);
    paths.push_back(base + "main.bas");
    const IncludeFiles files = disk_include_files();
    bool ok = true;
    const double ms = best_ms(runs, [&] {
        ok = ok && merge_includes(read_whole_file(base + "main.bas").bytes, base + "main.bas", "",
                                  files, "\r\n")
                       .ok;
    });
    const double reference = best_ms(runs, [&] {
        std::string joined;
        for (const std::string& path : paths) joined += read_whole_file(path).bytes;
    });
    return bench_line("merge_50_includes", ms, reference) + (ok ? "" : " (merge failed)");
}
