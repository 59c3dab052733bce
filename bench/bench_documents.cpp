// Benchmarks of opening, switching and typing in a large program, each against the same steps
// done by a bare editing control with Scintilla's built-in VB lexer.
#include "bench_app.h"
#include "program_generator.h"
#include "timing.h"

#include "app/main_window.h"
#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <chrono>
#include <memory>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr long typing_line = 40000;
constexpr int runs = 5;
constexpr const char* vb_keywords = "print for next sub end function if then";

double elapsed_ms(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// One key typed and shown: the paint asks for the colouring of the lines on screen.
void type_x(QsciScintillaBase* control) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(control, &release);
    control->repaint();
}

void put_caret_on(QsciScintillaBase* control, long line) {
    sci_send(control, Sci::SCI_GOTOLINE, static_cast<unsigned long>(line));
    control->repaint();
}

} // namespace

std::string bench_open_large() {
    BenchApp bench;
    const std::string path = bench.path("large.bas");
    bench.write("large.bas", generate_program(large_program_bytes, 1));
    App& app = *bench.app;

    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        open_files(app, "\n" + path);
        app.editor->repaint();
        best = std::min(best, elapsed_ms(start));
        remove_document(app, app.documents.current);
    }

    auto reference = bare_control(app.editor, vb_keywords);
    double reference_ms = best_ms(runs, [&] { open_in_bare_control(reference.get(), path); });
    return bench_line("open_large", best, reference_ms);
}

std::string bench_switch_tabs() {
    BenchApp bench;
    const std::string program = generate_program(large_program_bytes, 1);
    bench.write("a.bas", program);
    bench.write("b.bas", generate_program(large_program_bytes, 2));
    App& app = *bench.app;
    open_files(app, "\n" + bench.path("a.bas") + "\n" + bench.path("b.bas"));
    const int first = app.documents.count() - 2;
    bench_process_events();

    int target = first;
    double ms = best_ms(runs * 4, [&] {
        activate_document(app, target);
        select_tab(app, target);
        app.window->repaint();
        target = target == first ? first + 1 : first;
    });

    auto reference = bare_control(app.editor, vb_keywords);
    QsciScintillaBase* r = reference.get();
    sci_set_text(r, bytes_to_utf8(program));
    void* docs[2] = {reinterpret_cast<void*>(sci_send(r, Sci::SCI_GETDOCPOINTER)), nullptr};
    sci_send_ptr(r, Sci::SCI_ADDREFDOCUMENT, 0, docs[0]);
    docs[1] = reinterpret_cast<void*>(sci_send(r, Sci::SCI_CREATEDOCUMENT));
    sci_send_ptr(r, Sci::SCI_SETDOCPOINTER, 0, docs[1]);
    sci_set_text(r, bytes_to_utf8(program));
    int shown = 1;
    double reference_ms = best_ms(runs * 4, [&] {
        shown = 1 - shown;
        sci_send_ptr(r, Sci::SCI_SETDOCPOINTER, 0, docs[shown]);
        r->repaint();
    });
    return bench_line("switch_tabs", ms, reference_ms);
}

std::string bench_type_in_large() {
    BenchApp bench;
    const std::string program = generate_program(large_program_bytes, 1);
    bench.write("large.bas", program);
    App& app = *bench.app;
    open_files(app, "\n" + bench.path("large.bas"));
    put_caret_on(app.editor, typing_line);
    bench_process_events();
    double ms = best_ms(runs * 4, [&] { type_x(app.editor); });

    auto reference = bare_control(app.editor, vb_keywords);
    sci_set_text(reference.get(), bytes_to_utf8(program));
    put_caret_on(reference.get(), typing_line);
    double reference_ms = best_ms(runs * 4, [&] { type_x(reference.get()); });
    return bench_line("type_in_large", ms, reference_ms);
}
