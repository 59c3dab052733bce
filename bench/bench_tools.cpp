// Benchmarks of Format and of saving a large program.
#include "cases.h"
#include "program_generator.h"
#include "timing.h"
#include "tools/file_io.h"
#include "tools/text_conversion.h"
#include "tools/transform.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr unsigned program_seed = 1;

// The SUB, FUNCTION and label names of a program, each followed by one blank; labels are listed
// with and without their colon, as the document's names are.
std::string program_names(std::string_view text) {
    std::string names;
    for (std::string_view line : split_program_lines(text)) {
        std::string scratch;
        line = clean_program_line(line, scratch);
        std::string_view word = line.substr(0, line.find(' '));
        if (word == "SUB" || word == "FUNCTION") {
            std::string_view rest = line.substr(word.size() + 1);
            names.append(rest.substr(0, rest.find('('))).push_back(' ');
        } else if (word.size() > 1 && word.back() == ':') {
            names.append(word.substr(0, word.size() - 1)).push_back(' ');
            names.append(word).push_back(' ');
        }
    }
    return names;
}

} // namespace

std::string bench_format_large() {
    std::string program = generate_program(large_program_bytes, program_seed);
    std::string names = program_names(program);
    std::size_t sink = 0;
    double ms = best_ms(5, [&] { sink += format_text(program, names, 1, 2).size(); });
    // The reference is the simplest rewrite of every line: Remove indents over the same text.
    double reference = best_ms(5, [&] { sink += remove_indents_text(program).size(); });
    return bench_line("format_large", ms, reference) + (sink == 0 ? " (empty)" : "");
}

// Converting the editor's UTF-8 back to 8-bit text and writing it atomically, against a plain
// fwrite of the same bytes that is also flushed to disk.
std::string bench_save_large() {
    std::string utf8 = bytes_to_utf8(generate_program(large_program_bytes, program_seed));
    std::string path = (std::filesystem::temp_directory_path() /
                        ("zell_bench_save_" + std::to_string(::getpid()) + ".bas"))
                           .string();
    bool ok = true;
    double ms = best_ms(5, [&] { ok = write_file_atomically(path, utf8_to_bytes(utf8)).ok && ok; });
    std::string bytes = utf8_to_bytes(utf8);
    double reference = best_ms(5, [&] {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) return;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        ::fsync(::fileno(file));
        std::fclose(file);
    });
    std::remove(path.c_str());
    return bench_line("save_large", ms, reference) + (ok ? "" : " (write failed)");
}
