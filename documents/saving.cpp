// Writing documents to disk: Save, Save As, the save-changes prompt and the intro text.
#include "documents/saving.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/navigation.h"
#include "documents/opening.h"
#include "documents/recent_commands.h"
#include "documents/tab_state.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

std::string ask_for_save_path(Workspace& ws, const std::string& title) {
    const Document* document = ws.documents.current_document();
    const std::string name =
        document && !document->file_name.empty() ? document->file_name : untitled_name;
    std::string path =
        ws.requesters->save_file(title, ws.folders.current + name, program_file_filter);
    // A pattern left in the name field would become a file literally named so.
    if (file_name_of(path).find_first_of("*?") != std::string::npos) {
        ws.requesters->message(title,
                               "A file name can't contain \"*\" or \"?\":\n" + file_name_of(path) +
                                   "\nNothing was saved.",
                               Buttons::Ok);
        return {};
    }
    if (!path.empty() && file_name_of(path).find('.') == std::string::npos) path += ".bas";
    return path;
}

bool may_replace_file(Requesters& requesters, const std::string& path,
                      const std::string& question) {
    return file_size(path) <= 0 ||
           requesters.message("File exists", question, Buttons::YesNo) == Answer::Yes;
}

bool may_write_characters(Workspace& ws, std::string_view utf8, long offset, const char* title) {
    if (!is_eight_bit(ws.documents.current_document())) return true;
    const UnencodableCharacters found = find_unencodable(utf8);
    if (found.count == 0) return true;
    const long position = offset + found.first;
    const std::string line = std::to_string(sci_line_from_position(ws.editor, position) + 1);
    const bool one = found.count == 1;
    const std::string text =
        std::to_string(found.count) + (one ? " character" : " characters") +
        " can't be stored in a file of one byte per character (codes 0 to 255) and " +
        (one ? "would be saved as \"?\"" : "would each be saved as \"?\"") +
        ". The first is on line " + line + ".\n\nSave anyway? No goes to line " + line +
        " without saving.";
    if (ws.requesters->message(title, text, Buttons::YesNo) == Answer::Yes) return true;
    sci_goto_pos(ws.editor, position);
    sci_scroll_caret(ws.editor);
    ws.editor->setFocus();
    return false;
}

bool write_text(Workspace& ws, const std::string& path, std::string_view text, const char* title) {
    WriteResult result = write_file_safely(path, text, ws.file_write_hooks);
    if (!result.ok)
        ws.requesters->message(title, "Couldn't save " + path + "\n" + result.error, Buttons::Ok);
    return result.ok;
}

bool is_untitled(const Document& document) {
    return document.file_name == untitled_name;
}

namespace {

bool is_modified(Workspace& ws) {
    return sci_modified(ws.editor) != 0;
}

// The target when an untitled document is saved from the close prompt; empty when the user
// cancelled or would not overwrite.
std::string ask_close_target(Workspace& ws) {
    std::string target = ask_for_save_path(ws, "Save");
    if (!target.empty() &&
        !may_replace_file(*ws.requesters, target,
                          "Do you wish to overwrite " + file_name_of(target) + "?"))
        target.clear();
    return target;
}

enum class CloseOutcome { closed, kept_open, cancelled };

struct CloseResult {
    CloseOutcome outcome;
    int active;       // the tab position active afterwards
    std::string path; // where the closed document's text now lives
};

enum class SaveOutcome { saved, unchanged, discarded, kept_open, cancelled };

struct SaveResult {
    SaveOutcome outcome;
    std::string target; // where the text was saved
};

// The save-changes question about the shown document, and the save when the answer is Yes.
SaveResult ask_and_save(Workspace& ws, int position, bool offer_cancel) {
    const Document& document = ws.documents.documents[position];
    if (!is_modified(ws)) return {SaveOutcome::unchanged, {}};
    const Answer answer = ws.requesters->message(
        "File has changes!",
        document.path + "\nDo yo want to save changes to " + document.file_name + "?",
        offer_cancel ? Buttons::YesNoCancel : Buttons::YesNo);
    if (answer == Answer::Cancel) return {SaveOutcome::cancelled, {}};
    if (answer != Answer::Yes) return {SaveOutcome::discarded, {}};
    const std::string text = sci_text(ws.editor);
    if (!may_write_characters(ws, text, 0, "Save")) return {SaveOutcome::kept_open, {}};
    std::string target = is_untitled(document) ? ask_close_target(ws) : document.path;
    if (target.empty()) return {SaveOutcome::kept_open, {}};
    if (target == document.path && !may_overwrite(ws, ws.documents.documents[position]))
        return {SaveOutcome::kept_open, {}};
    const bool written = write_text(ws, target, document_text(ws), "Save");
    // A failed write may still have touched the file (its old text put back): the editor's own
    // write, failed or not, is no change by another program.
    if (target == document.path) remember_disk_state(ws, position);
    if (!written) return {SaveOutcome::kept_open, {}};
    return {SaveOutcome::saved, target};
}

// The close prompt. The document is shown first: the modified state and the text to save can
// only be read from the document the editor shows. With `remove` false a closed document stays
// listed, for the caller to remove with others at once.
CloseResult prompt_and_close(Workspace& ws, int position, bool offer_cancel, bool remove = true) {
    if (!ws.editor || position < 0 || position >= ws.documents.count())
        return {CloseOutcome::kept_open, ws.documents.current, {}};
    const int previous = ws.documents.current;
    if (position != previous) {
        activate_document(ws, position);
        select_tab(ws, position);
    }
    const SaveResult saved = ask_and_save(ws, position, offer_cancel);
    switch (saved.outcome) {
    case SaveOutcome::cancelled:
        if (position != previous && previous >= 0 && previous < ws.documents.count()) {
            activate_document(ws, previous);
            select_tab(ws, previous);
        }
        return {CloseOutcome::cancelled, -1, {}};
    case SaveOutcome::kept_open:
        return {CloseOutcome::kept_open, position, {}};
    case SaveOutcome::saved: {
        const int active = remove_document(ws, position);
        ws.requesters->message("File saved", saved.target, Buttons::Ok);
        return {CloseOutcome::closed, active, saved.target};
    }
    default: {
        std::string path = ws.documents.documents[position].path;
        return {CloseOutcome::closed, remove_document(ws, position), path};
    }
    }
}

// The current document now lives in the file at `path`, which holds `text`.
void adopt_saved_path(Workspace& ws, const std::string& path, std::string_view text) {
    const int position = ws.documents.current;
    Document& document = ws.documents.documents[position];
    stop_watching(ws, position);
    document.file_name = file_name_of(path);
    document.path = path;
    document.ask_before_overwrite = false;
    remember_disk_state(ws, position);
    // The names are collected again from the saved text, so the label list, the colouring of
    // names and Format's labels stay as they were.
    document.names.clear();
    scan_names(ws, position, text);
    activate_document(ws, position);
    select_tab(ws, position);
    show_tab_of(ws.tab_bar, ws.documents, position);
    mark_saved(ws.editor);
    note_recent_file(ws, path);
}

} // namespace

std::string get_editor_text(QsciScintillaBase* editor) {
    return utf8_to_bytes(sci_text(editor));
}

void save(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (!ws.editor || !document) return;
    if (is_untitled(*document)) {
        save_as(ws);
        return;
    }
    if (document->path.empty() || !may_overwrite(ws, *document)) return;
    if (!may_write_characters(ws, sci_text(ws.editor), 0, "Save")) return;
    const bool written = write_text(ws, document->path, document_text(ws), "Save");
    // A failed write may still have touched the file (its old text put back): the editor's own
    // write, failed or not, is no change by another program.
    remember_disk_state(ws, ws.documents.current);
    if (written) {
        mark_saved(ws.editor);
        note_recent_file(ws, document->path);
        Q_EMIT ws.document_events.saved(ws.documents.current);
    }
}

void save_as(Workspace& ws) {
    if (!ws.editor || !ws.documents.current_document()) return;
    if (!may_write_characters(ws, sci_text(ws.editor), 0, "Save")) return;
    std::string path = ask_for_save_path(ws, "Save");
    if (path.empty() || !may_replace_file(*ws.requesters, path)) return;
    const std::string text = document_text(ws);
    if (!write_text(ws, path, text, "Save")) return;
    adopt_saved_path(ws, path, text);
    ws.requesters->message("File saved", path, Buttons::Ok);
    Q_EMIT ws.document_events.saved(ws.documents.current);
}

int close_with_prompt(Workspace& ws, int position, int no_cancel) {
    return prompt_and_close(ws, position, no_cancel == 0).active;
}

std::optional<std::string> settle_document_for_exit(Workspace& ws, int position) {
    if (!ws.editor || position < 0 || position >= ws.documents.count()) return std::nullopt;
    if (position != ws.documents.current) activate_document(ws, position);
    select_tab(ws, position);
    const SaveResult saved = ask_and_save(ws, position, true);
    switch (saved.outcome) {
    case SaveOutcome::cancelled:
    case SaveOutcome::kept_open:
        return std::nullopt;
    case SaveOutcome::saved:
        if (saved.target == ws.documents.documents[position].path) {
            remember_disk_state(ws, position);
            mark_saved(ws.editor);
        } else {
            adopt_saved_path(ws, saved.target, document_text(ws));
        }
        ws.requesters->message("File saved", saved.target, Buttons::Ok);
        return saved.target;
    default:
        return ws.documents.documents[position].path;
    }
}

void save_intro_text(Workspace& ws) {
    if (ws.requesters->message("Intro Text", "Save current code as\nnew file Intro text?",
                               Buttons::YesNo) != Answer::Yes) {
        ws.requesters->message("Intro Text", "Save cancelled", Buttons::Ok);
        return;
    }
    // The document itself keeps its modified state: its own file was not written, so closing it
    // must still ask about its changes.
    if (!may_write_characters(ws, sci_text(ws.editor), 0, "Intro Text")) return;
    std::string text = get_editor_text(ws.editor);
    if (write_text(ws, ws.folders.intro_path, text, "Intro Text")) ws.intro_text = std::move(text);
}
