// Printing the large program to a PDF file, against the same pages without their headers.
#include "bench_app.h"
#include "program_generator.h"
#include "timing.h"

#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "tools/print_command.h"

#include <QPrinter>

std::string bench_print_large() {
    BenchApp bench;
    App& app = *bench.app;
    bench.write("large.bas", generate_program(1500 * 1000, 1));
    open_files(app, bench.path("large.bas"));
    bench_process_events();
    auto print = [&](bool header) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(bench.path("large.pdf")));
        render_document_pages(app.editor, bench.path("large.bas"), printer, header);
    };
    double ms = best_ms(1, [&] { print(true); });
    double reference = best_ms(1, [&] { print(false); });
    return bench_line("print_large", ms, reference);
}
