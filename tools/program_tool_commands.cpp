// Running the line number, blank line and comment tools on the current document: each result
// replaces the text in one undo step; what the user must know comes in a message box.
#include "tools/program_tool_commands.h"

#include "app/app.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/comments.h"
#include "tools/line_numbers.h"
#include "tools/transform_commands.h"

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* remove_numbers_title = "Remove program line numbers";
constexpr const char* add_numbers_title = "Add program line numbers";
// A box lists this many notes at most; the rest are counted.
constexpr std::size_t notes_shown = 20;

// The current document is a program: a variable report is read-only and no program.
bool on_program(App& app) {
    const Document* document = app.documents.current_document();
    return app.editor && document && document->report_of.empty();
}

std::string current_file_name(App& app) {
    const Document* document = app.documents.current_document();
    return document ? document->file_name : std::string();
}

// One line of the notes box, e.g. "prog.bas, line 6: GOTO 77 names no line; left as it is."
std::string describe(const LineNumberNote& note, const std::string& file) {
    std::string where = file + ", line " + std::to_string(note.line + 1) + ": ";
    switch (note.kind) {
    case LineNumberNote::Kind::missing_target:
        return where + "a jump to " + note.number + ", which no line has; left as it is.";
    case LineNumberNote::Kind::duplicate:
        return where + "number " + note.number + " again; jumps to it go to the first one.";
    case LineNumberNote::Kind::out_of_order:
        return where + "number " + note.number + " is not above the one before.";
    }
    return where;
}

void show_notes(App& app, const char* title, const std::vector<LineNumberNote>& notes) {
    if (notes.empty()) return;
    const std::string file = current_file_name(app);
    std::string text = "Done. Please check:\n";
    for (std::size_t i = 0; i < notes.size() && i < notes_shown; ++i)
        text += describe(notes[i], file) + "\n";
    if (notes.size() > notes_shown)
        text += "... and " + std::to_string(notes.size() - notes_shown) + " more.";
    app.requesters->message(title, text, Buttons::Ok);
}

// Puts the result back and collects the names again at once: labels may have come or gone.
void put_back(App& app, const std::string& text, long caret_line = -1) {
    replace_document_text(app, text, caret_line);
    refresh_names_from_text(app);
}

using LineTool = std::string (*)(std::string_view, std::string_view, std::vector<std::size_t>*);

// Runs a tool that removes lines; the caret goes with its line, or to the line after it.
void run_line_remover(App& app, LineTool tool) {
    if (!on_program(app)) return;
    const long caret_line = sci_caret_line(app.editor);
    std::vector<std::size_t> line_map;
    const std::string text = tool(document_text(app), current_line_end(app), &line_map);
    const long new_line = caret_line >= 0 && caret_line < static_cast<long>(line_map.size())
                              ? static_cast<long>(line_map[static_cast<std::size_t>(caret_line)])
                              : -1;
    put_back(app, text, new_line);
}

} // namespace

void remove_line_numbers_command(App& app) {
    if (!on_program(app)) return;
    LineNumberResult result = remove_line_numbers(document_text(app), current_line_end(app));
    put_back(app, result.text);
    show_notes(app, remove_numbers_title, result.notes);
}

void add_line_numbers_command(App& app) {
    if (!on_program(app)) return;
    std::optional<std::string> answer =
        app.requesters->input(add_numbers_title, "First line number, step:", "10,10");
    if (!answer) return;
    std::optional<Numbering> numbering = parse_numbering(*answer);
    if (!numbering) {
        app.requesters->message(add_numbers_title,
                                "\"" + *answer +
                                    "\" is not a first number and a step such as 10,10, each "
                                    "from 1 to " +
                                    std::to_string(largest_line_number) + ". Nothing was changed.",
                                Buttons::Ok);
        return;
    }
    AddNumbersResult added =
        add_line_numbers(document_text(app), *numbering, current_line_end(app));
    if (!added.ok) {
        app.requesters->message(
            add_numbers_title,
            current_file_name(app) + ": numbering its " + std::to_string(added.lines_numbered) +
                " lines from " + std::to_string(numbering->first) + " by " +
                std::to_string(numbering->step) + " would go past " +
                std::to_string(largest_line_number) +
                ", the largest line number the firmware takes. Nothing was changed.",
            Buttons::Ok);
        return;
    }
    put_back(app, added.result.text);
    show_notes(app, add_numbers_title, added.result.notes);
}

void remove_blank_lines_command(App& app) {
    run_line_remover(app, remove_blank_lines);
}

void remove_comments_command(App& app) {
    run_line_remover(app, remove_comments_and_blank_lines);
}
