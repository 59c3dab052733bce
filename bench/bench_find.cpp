// Benchmarks of Find/Replace and of the Find Sub/Function chooser on large documents.
#include "bench_app.h"
#include "program_generator.h"
#include "timing.h"

#include "app/commands.h"
#include "app/find_command_list.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "find/find_bar.h"
#include "find/find_commands.h"
#include "find/find_state.h"
#include "find/name_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace {

constexpr std::size_t large_program_bytes = 1500 * 1000;
constexpr int runs = 5;

void open_program(BenchApp& bench, const std::string& text) {
    bench.write("large.bas", text);
    open_files(*bench.app, bench.path("large.bas"));
    bench_process_events();
}

// Every tenth occurrence of "=" after a name becomes "=" followed by a marker the replace finds:
// a known number of matches spread over the whole program.
std::string with_markers(std::string text, int wanted) {
    int placed = 0;
    std::size_t step = text.size() / std::size_t(wanted);
    for (std::size_t at = step; at < text.size() && placed < wanted; at += step) {
        std::size_t line_end = text.find('\n', at);
        if (line_end == std::string::npos) break;
        text.insert(line_end, " 'zq");
        ++placed;
    }
    return text;
}

} // namespace

// Find next from the start of the program to its only match on the last line. The reference
// reads the text out of the editor and searches it with std::string::find.
std::string bench_find_next_large() {
    BenchApp bench;
    App& app = *bench.app;
    open_program(bench, generate_program(large_program_bytes, 1) + "needle_at_end\r\n");
    run_command(app, menu_id::find_key);
    app.find->bar->find_box->setCurrentText(QStringLiteral("needle_at_end"));
    double ms = best_ms(runs, [&] {
        sci_send(app.editor, Sci::SCI_GOTOPOS, 0);
        find_next(find_context(app), false);
    });
    bool found = sci_send(app.editor, Sci::SCI_GETSELECTIONSTART) > 0;
    double reference = best_ms(runs, [&] {
        volatile std::size_t at = sci_text(app.editor).find("needle_at_end");
        (void)at;
    });
    return bench_line("find_next_large", ms, reference) + (found ? "" : " (not found)");
}

// Replace All of 10,000 matches (plain text and a regular expression), one undo step each, and
// the repaint. The reference puts a whole new text of the same size into the editor.
std::string bench_replace_all_large() {
    BenchApp bench;
    App& app = *bench.app;
    open_program(bench, with_markers(generate_program(large_program_bytes, 1), 10000));
    run_command(app, menu_id::replace_key);
    FindBar& bar = *app.find->bar;
    auto replace = [&](const char* find, const char* with, bool regex) {
        bar.regular_expression->setChecked(regex);
        bar.find_box->setCurrentText(QString::fromLatin1(find));
        bar.replace_box->setCurrentText(QString::fromLatin1(with));
        replace_all(find_context(app));
        app.editor->repaint();
    };
    double plain = best_ms(runs,
                           [&] {
                               replace("'zq", "'zr", false);
                               replace("'zr", "'zq", false);
                           }) /
                   2;
    double regex = best_ms(runs,
                           [&] {
                               replace("'z(q)", "'z$1r", true);
                               replace("'zqr", "'zq", false);
                           }) /
                   2;
    std::string note = bar.note->text().toStdString();
    std::string text = get_editor_text(app.editor);
    double reference = best_ms(runs, [&] {
        sci_set_text(app.editor, text);
        app.editor->repaint();
    });
    return bench_line("replace_all_plain", plain, reference) + "\n" +
           bench_line("replace_all_regex", regex, reference) + " (" + note + ")";
}

// The chooser on a document of 3,000 names: open it, then one key at a time. The reference
// fills a list widget with the same 3,000 entries once.
std::string bench_name_chooser() {
    BenchApp bench;
    App& app = *bench.app;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "SUB Draw" + std::to_string(i) + "Shape(x)\r\n  x = x + 1\r\nEND SUB\r\n";
    open_program(bench, text);
    double open_ms = best_ms(runs, [&] {
        run_command(app, menu_id::find_name);
        app.name_chooser->hide();
    });
    run_command(app, menu_id::find_name);
    double key_ms = 0;
    for (const char* typed : {"d", "dr", "dra", "dra1", "dra1s"}) {
        app.name_chooser->filter->setText(QString::fromLatin1(typed));
        key_ms = std::max(key_ms, best_ms(runs, [&] { app.name_chooser->apply_filter(); }));
    }
    QListWidget list;
    double reference = best_ms(runs, [&] {
        list.clear();
        for (int i = 0; i < 3000; ++i) list.addItem(QStringLiteral("Draw%1Shape").arg(i));
    });
    return bench_line("name_chooser_open", open_ms, reference) + "\n" +
           bench_line("name_chooser_key", key_ms, reference);
}
