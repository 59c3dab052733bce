// Making the merged program and the variable report as new documents, and going from a report
// line number back to the program.
#include "tools/merge_report_commands.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/jumps.h"
#include "documents/navigation.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/merge.h"
#include "tools/variable_report.h"

#include <string>

namespace {

// "<folder><name><tail>", where name is the program's file name without its extension. A file
// already there is never taken: a later Save would overwrite it without asking, so "-2", "-3"
// and so on are tried.
std::string new_document_path(const Document& program, const std::string& tail,
                              const std::string& extension) {
    const std::string folder = folder_of(program.path);
    std::string name = program.file_name;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    std::string path = folder + name + tail + extension;
    for (int n = 2; file_exists(path) && n < 1000; ++n)
        path = folder + name + tail + "-" + std::to_string(n) + extension;
    return path;
}

bool is_digits(std::string_view word) {
    if (word.empty()) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

void merge_command(Workspace& ws) {
    const Document* program = ws.documents.current_document();
    if (!ws.editor || !program) return;
    const Document copy = *program;
    const MergeResult result = merge_includes(document_text(ws), copy.path, ws.folders.include,
                                              disk_include_files(), line_end_text(copy.line_end));
    if (!result.ok) {
        ws.requesters->message("Merge",
                               result.file + ", line " + std::to_string(result.line) + ": " +
                                   result.reason + ".\nNothing was merged.",
                               Buttons::Ok);
        return;
    }
    open_unsaved_document(ws, new_document_path(copy, "-merged", ".bas"), result.text);
}

void variable_report_command(Workspace& ws) {
    const Document* program = ws.documents.current_document();
    if (!ws.editor || !program) return;
    if (!program->report_of.empty()) return; // a report of a report says nothing
    const Document copy = *program;
    const VariableReport report = make_variable_report(get_editor_text(ws.editor), ws.keyword_text);
    const std::string text =
        format_variable_report(report, copy.file_name, line_end_text(copy.line_end));
    const int index = create_document(ws, new_document_path(copy, "-variables", ".txt"));
    if (index < 0) return;
    ws.documents.documents[index].report_of = copy.path;
    ws.documents.documents[index].line_end = copy.line_end;
    scan_names(ws, index, {});
    set_editor_text(ws, text, true);
    mark_saved(ws.editor);
    // Read-only belongs to the Scintilla document, so it stays with the report.
    sci_set_read_only(ws.editor, 1);
    refresh_label_list(ws, index);
}

void report_double_clicked(Workspace& ws, long position) {
    const Document* report = ws.documents.current_document();
    if (!ws.editor || !report || report->report_of.empty() || position < 0) return;
    const SciPos start = sci_word_start(ws.editor, position, 1);
    const SciPos end = sci_word_end(ws.editor, position, 1);
    const std::string word = sci_text_range(ws.editor, start, end);
    if (!is_digits(word) || word.size() > 9) return;
    const long line = std::stol(word) - 1;
    const std::string program_path = report->report_of;
    for (int i = 0; i < ws.documents.count(); ++i) {
        if (ws.documents.documents[i].path != program_path ||
            !ws.documents.documents[i].report_of.empty())
            continue;
        activate_document(ws, i);
        select_tab(ws, i);
        go_to_line(ws.editor, ws.settings.options.scroll_margin, std::max(line, 0L));
        return;
    }
    ws.requesters->message("Variable report",
                           program_path + " is no longer open; open it to go to its lines.",
                           Buttons::Ok);
}
