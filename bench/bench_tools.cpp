// Benchmarks of the Format command and of saving a large program in the running editor.
#include "bench_app.h"
#include "cases.h"
#include "program_generator.h"
#include "timing.h"

#include "app/tool_command_list.h"
#include "base/file_io.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "tools/program_context.h"
#include "tools/transform_commands.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr unsigned program_seed = 1;
constexpr int runs = 5;

// The editor with the large program open as its current document.
struct LargeProgram {
    BenchApp bench;
    std::string path = bench.path("large.bas");
    App& app = *bench.app;

    LargeProgram() {
        bench.write("large.bas", generate_program(large_program_bytes, program_seed));
        open_files(app, path);
        bench_process_events();
    }
};

} // namespace

// The whole command: text out of the editor, Format with the document's names, the new text put
// back in one step, recoloured and painted. The reference is the same road with the simplest
// rewrite of every line, Remove indents, so the ratio shows what Format itself costs.
std::string bench_format_large() {
    LargeProgram program;
    App& app = program.app;
    double ms = best_ms(runs, [&] {
        format_document(program_context(app));
        app.editor->repaint();
    });
    double reference = best_ms(runs, [&] {
        remove_indents(program_context(app));
        app.editor->repaint();
    });
    return bench_line("format_large", ms, reference);
}

// Save: text out of the editor as 8-bit text, written to a temporary file that is flushed and
// renamed over the program, then the save point. The reference writes the same bytes in place
// with a plain fwrite that is also flushed to disk.
std::string bench_save_large() {
    LargeProgram program;
    App& app = program.app;
    double ms = best_ms(runs, [&] { save(app); });
    const std::string bytes = get_editor_text(app.editor);
    bool saved = read_whole_file(program.path).bytes == bytes;
    double reference = best_ms(runs, [&] {
        std::FILE* file = std::fopen(program.path.c_str(), "wb");
        if (file == nullptr) return;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fflush(file);
        ::fsync(::fileno(file));
        std::fclose(file);
    });
    return bench_line("save_large", ms, reference) + (saved ? "" : " (save failed)");
}
