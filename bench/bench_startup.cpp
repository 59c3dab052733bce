// Benchmark: from the start of the editor to its first painted window, against a bare main
// window holding an editing control.
#include "bench_app.h"
#include "timing.h"

#include "app/main_window.h"
#include "editor/editor_widget.h"

#include <QMainWindow>

std::string bench_startup_window() {
    double ms = best_ms(5, [] {
        BenchApp bench;
        bench.app->window->repaint();
    });
    double reference_ms = best_ms(5, [] {
        QMainWindow window;
        window.resize(850, 600);
        window.setCentralWidget(new EditorWidget(&window));
        window.show();
        window.repaint();
        bench_process_events();
    });
    return bench_line("startup_window", ms, reference_ms);
}
