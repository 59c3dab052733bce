// Benchmarks of completion: the list after the third letter of a word in a program with 3,000
// names (a few of which match, or all of them), against the editing component showing the same
// list by itself.
#include "bench_app.h"
#include "timing.h"

#include "app/help_command_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "help/editor_help.h"
#include "help/help_state.h"

#include <memory>

namespace {

constexpr int runs = 20;

// 3,000 names; with `all_match` every one starts with "dra", otherwise their first letters vary.
std::string bench_completion(const char* name, bool all_match) {
    BenchApp bench;
    App& app = *bench.app;
    std::string names;
    for (int i = 0; i < 3000; ++i) {
        if (all_match) {
            names += "Draw" + std::to_string(i) + " ";
        } else {
            names += static_cast<char>('a' + i % 26);
            names += static_cast<char>('a' + (i / 26) % 26);
            names += "a_" + std::to_string(i) + " ";
        }
    }
    app.documents.current_names = names;
    sci_set_text(app.editor, "x = 1\r\n");
    sci_send(app.editor, Sci::SCI_DOCUMENTEND);
    bench_process_events();
    double ms = best_ms(runs, [&] {
        sci_send_text(app.editor, Sci::SCI_ADDTEXT, 3, "dra");
        help_char_added(editor_help_context(app), 'a');
        app.editor->repaint();
        bench_process_events();
        sci_send(app.editor, Sci::SCI_AUTOCCANCEL);
        sci_send(app.editor, Sci::SCI_DELETERANGE, sci_current_pos(app.editor) - 3, 3);
    });
    if (app.help->completion.empty()) return std::string(name) + ": list not shown";

    std::string list;
    for (const std::string& item : app.help->completion) list += item + '\n';
    list.pop_back();
    auto reference = std::make_unique<EditorWidget>(nullptr);
    reference->resize(app.editor->size());
    sci_send(reference.get(), Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    sci_send(reference.get(), Sci::SCI_AUTOCSETSEPARATOR, '\n');
    sci_send(reference.get(), Sci::SCI_AUTOCSETORDER, Sci::SC_ORDER_CUSTOM);
    reference->show();
    bench_process_events();
    double reference_ms = best_ms(runs, [&] {
        sci_send_text(reference.get(), Sci::SCI_ADDTEXT, 3, "dra");
        sci_send_text(reference.get(), Sci::SCI_AUTOCSHOW, 3, list.c_str());
        reference->repaint();
        bench_process_events();
        sci_send(reference.get(), Sci::SCI_AUTOCCANCEL);
        sci_send(reference.get(), Sci::SCI_DELETERANGE, sci_current_pos(reference.get()) - 3, 3);
    });
    return bench_line(name, ms, reference_ms);
}

} // namespace

std::string bench_complete_3000_names() {
    return bench_completion("complete_3000_names", false);
}

std::string bench_complete_3000_matches() {
    return bench_completion("complete_3000_matches", true);
}
