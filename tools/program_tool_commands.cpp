// Running the line number, blank line and comment tools on the current document: each result
// replaces the text in one undo step; what the user must know comes in a message box.
#include "tools/program_tool_commands.h"

#include "documents/document_commands.h"
#include "editor/sci.h"
#include "tools/comments.h"
#include "tools/line_numbers.h"
#include "tools/program_context.h"
#include "tools/transform_commands.h"
#include "ui/requesters.h"

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* remove_numbers_title = "Remove program line numbers";
constexpr const char* add_numbers_title = "Add program line numbers";
// A box lists this many notes at most; the rest are counted.
constexpr std::size_t notes_shown = 20;

// The current document is a program: a variable report is read-only and no program.
bool on_program(const ProgramContext& context) {
    return context.editor && context.document && context.document->report_of.empty();
}

std::string current_file_name(const ProgramContext& context) {
    return context.document ? context.document->file_name : std::string();
}

std::string program_text(const ProgramContext& context) {
    return document_text(context.editor, context.document);
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

void show_notes(const ProgramContext& context, const char* title,
                const std::vector<LineNumberNote>& notes) {
    if (notes.empty()) return;
    const std::string file = current_file_name(context);
    std::string text = "Done. Please check:\n";
    for (std::size_t i = 0; i < notes.size() && i < notes_shown; ++i)
        text += describe(notes[i], file) + "\n";
    if (notes.size() > notes_shown)
        text += "... and " + std::to_string(notes.size() - notes_shown) + " more.";
    context.requesters.message(title, text, Buttons::Ok);
}

// Puts the result back and collects the names again at once: labels may have come or gone.
void put_back(const ProgramContext& context, const std::string& text, long caret_line = -1) {
    replace_document_text(context, text, caret_line);
    if (context.text_replaced) context.text_replaced();
}

using LineTool = std::string (*)(std::string_view, std::string_view, std::vector<std::size_t>*);

// Runs a tool that removes lines; the caret goes with its line, or to the line after it.
void run_line_remover(const ProgramContext& context, LineTool tool) {
    if (!on_program(context)) return;
    const long caret_line = sci_caret_line(context.editor);
    std::vector<std::size_t> line_map;
    const std::string text = tool(program_text(context), program_line_end(context), &line_map);
    const long new_line = caret_line >= 0 && caret_line < static_cast<long>(line_map.size())
                              ? static_cast<long>(line_map[static_cast<std::size_t>(caret_line)])
                              : -1;
    put_back(context, text, new_line);
}

} // namespace

void remove_line_numbers_command(const ProgramContext& context) {
    if (!on_program(context)) return;
    LineNumberResult result = remove_line_numbers(program_text(context), program_line_end(context));
    put_back(context, result.text);
    show_notes(context, remove_numbers_title, result.notes);
}

void add_line_numbers_command(const ProgramContext& context) {
    if (!on_program(context)) return;
    std::optional<std::string> answer =
        context.requesters.input(add_numbers_title, "First line number, step:", "10,10");
    if (!answer) return;
    std::optional<Numbering> numbering = parse_numbering(*answer);
    if (!numbering) {
        context.requesters.message(add_numbers_title,
                                   "\"" + *answer +
                                       "\" is not a first number and a step such as 10,10, each "
                                       "from 1 to " +
                                       std::to_string(largest_line_number) +
                                       ". Nothing was changed.",
                                   Buttons::Ok);
        return;
    }
    AddNumbersResult added =
        add_line_numbers(program_text(context), *numbering, program_line_end(context));
    if (!added.ok) {
        context.requesters.message(
            add_numbers_title,
            current_file_name(context) + ": numbering its " + std::to_string(added.lines_numbered) +
                " lines from " + std::to_string(numbering->first) + " by " +
                std::to_string(numbering->step) + " would go past " +
                std::to_string(largest_line_number) +
                ", the largest line number the firmware takes. Nothing was changed.",
            Buttons::Ok);
        return;
    }
    put_back(context, added.result.text);
    show_notes(context, add_numbers_title, added.result.notes);
}

void remove_blank_lines_command(const ProgramContext& context) {
    run_line_remover(context, remove_blank_lines);
}

void remove_comments_command(const ProgramContext& context) {
    run_line_remover(context, remove_comments_and_blank_lines);
}
