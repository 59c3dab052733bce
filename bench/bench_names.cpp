// Benchmarks of names that arrive in bulk: pasting thousands of labels, and opening a file whose
// one line is a 160 KB label. Each against the same steps in a bare control with the VB lexer.
#include "bench_app.h"
#include "timing.h"

#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QApplication>
#include <QClipboard>

#include <memory>

namespace {

constexpr int runs = 3;

std::string label_lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "Label" + std::to_string(i) + ":\r\n";
    return text;
}

} // namespace

// Paste 8,000 label lines into an empty program, then Ctrl+End: every line coloured, every
// label learnt and listed, and the names collected again once the edit has settled.
std::string bench_paste_labels() {
    BenchApp bench;
    App& app = *bench.app;
    QApplication::clipboard()->setText(QString::fromStdString(label_lines(8000)));
    double ms = best_ms(runs, [&] {
        new_document(app);
        sci_send(app.editor, Sci::SCI_PASTE);
        sci_send(app.editor, Sci::SCI_DOCUMENTEND);
        app.editor->repaint();
        bench_process_events();
        refresh_names_from_text(app);
    });

    auto reference = bare_control(app.editor);
    double reference_ms = best_ms(runs, [&] {
        sci_send(reference.get(), Sci::SCI_CLEARALL);
        sci_send(reference.get(), Sci::SCI_PASTE);
        sci_send(reference.get(), Sci::SCI_DOCUMENTEND);
        reference->repaint();
        bench_process_events();
    });
    return bench_line("paste_labels", ms, reference_ms);
}

// Open a file holding one label line of 160 KB made of a repeated short pattern.
std::string bench_open_long_label() {
    BenchApp bench;
    App& app = *bench.app;
    std::string line;
    while (line.size() < 160 * 1024) line += "abcab";
    bench.write("long.bas", line + ":\r\n");
    const std::string path = bench.path("long.bas");
    double ms = best_ms(runs, [&] {
        open_files(app, "\n" + path);
        app.editor->repaint();
        bench_process_events();
        remove_document(app, app.documents.current);
    });

    auto reference = bare_control(app.editor);
    double reference_ms = best_ms(runs, [&] {
        open_in_bare_control(reference.get(), path);
        bench_process_events();
    });
    return bench_line("open_long_label", ms, reference_ms);
}
