// Writing documents to disk: Save, Save As, the save-changes prompt and the intro text.
#include "tools/saving.h"

#include "app/app.h"
#include "app/folders.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/recent_commands.h"
#include "documents/tab_state.h"
#include "editor/editor_widget.h"
#include "editor/navigation.h"
#include "editor/sci.h"
#include "tools/file_io.h"
#include "tools/text_conversion.h"

std::string ask_for_save_path(App& app, const std::string& title) {
    std::string path =
        app.requesters->save_file(title, app.folders.current + "*.bas", program_file_filter);
    if (!path.empty() && file_name_of(path).find('.') == std::string::npos) path += ".bas";
    return path;
}

bool write_text(App& app, const std::string& path, std::string_view text, const char* title) {
    WriteResult result = write_file_safely(path, text, app.file_write_hooks);
    if (!result.ok)
        app.requesters->message(title, "Couldn't save " + path + "\n" + result.error, Buttons::Ok);
    return result.ok;
}

bool is_untitled(const Document& document) {
    return document.file_name == untitled_name;
}

namespace {

bool is_modified(App& app) {
    return sci_send(app.editor, Sci::SCI_GETMODIFY) != 0;
}

// The target when an untitled document is saved from the close prompt; empty when the user
// cancelled or would not overwrite.
std::string ask_close_target(App& app) {
    std::string target = ask_for_save_path(app, "Save");
    if (!target.empty() && file_size(target) > 0 &&
        app.requesters->message("File exists",
                                "Do you wish to overwrite " + file_name_of(target) + "?",
                                Buttons::YesNo) != Answer::Yes)
        target.clear();
    return target;
}

enum class CloseOutcome { closed, kept_open, cancelled };

struct CloseResult {
    CloseOutcome outcome;
    int active;       // the tab position active afterwards
    std::string path; // where the closed document's text now lives
};

// The close prompt. The document is shown first: the modified state and the text to save can
// only be read from the document the editor shows. With `remove` false a closed document stays
// listed, for the caller to remove with others at once.
CloseResult prompt_and_close(App& app, int position, bool offer_cancel, bool remove = true) {
    if (!app.editor || position < 0 || position >= app.documents.count())
        return {CloseOutcome::kept_open, app.documents.current, {}};
    const int previous = app.documents.current;
    if (position != previous) {
        activate_document(app, position);
        select_tab(app, position);
    }
    const Document& document = app.documents.documents[position];

    Answer answer = Answer::No;
    if (is_modified(app))
        answer = app.requesters->message("File has changes!",
                                         document.path + "\nDo yo want to save changes to " +
                                             document.file_name + "?",
                                         offer_cancel ? Buttons::YesNoCancel : Buttons::YesNo);

    if (answer == Answer::Cancel) {
        if (position != previous && previous >= 0 && previous < app.documents.count()) {
            activate_document(app, previous);
            select_tab(app, previous);
        }
        return {CloseOutcome::cancelled, -1, {}};
    }
    if (answer == Answer::Yes) {
        std::string target = is_untitled(document) ? ask_close_target(app) : document.path;
        if (target.empty()) return {CloseOutcome::kept_open, position, {}};
        if (target == document.path && !may_overwrite(app, app.documents.documents[position]))
            return {CloseOutcome::kept_open, position, {}};
        const bool written = write_text(app, target, get_editor_text(app.editor), "Save");
        // The editor's own write, failed or not, is no change by another program.
        if (target == document.path) remember_disk_state(app, position);
        if (!written) return {CloseOutcome::kept_open, position, {}};
        int active = remove ? remove_document(app, position) : position;
        app.requesters->message("File saved", target, Buttons::Ok);
        return {CloseOutcome::closed, active, target};
    }
    std::string path = document.path;
    return {CloseOutcome::closed, remove ? remove_document(app, position) : position, path};
}

} // namespace

std::string get_editor_text(QsciScintillaBase* editor) {
    return utf8_to_bytes(sci_text(editor));
}

void save(App& app) {
    Document* document = app.documents.current_document();
    if (!app.editor || !document) return;
    if (is_untitled(*document)) {
        save_as(app);
        return;
    }
    if (document->path.empty() || !may_overwrite(app, *document)) return;
    const bool written = write_text(app, document->path, get_editor_text(app.editor), "Save");
    // A failed write may still have touched the file (its old text put back): the editor's own
    // write, failed or not, is no change by another program.
    remember_disk_state(app, app.documents.current);
    if (written) {
        mark_saved(app.editor);
        note_recent_file(app, document->path);
    }
}

void save_as(App& app) {
    if (!app.editor || !app.documents.current_document()) return;
    std::string path = ask_for_save_path(app, "Save");
    if (path.empty()) return;
    if (file_size(path) > 0 &&
        app.requesters->message("File exists", "Do you wish to overwrite it?", Buttons::YesNo) !=
            Answer::Yes)
        return;
    const std::string text = get_editor_text(app.editor);
    if (!write_text(app, path, text, "Save")) return;

    const int position = app.documents.current;
    Document& document = app.documents.documents[position];
    stop_watching(app, position);
    document.file_name = file_name_of(path);
    document.path = path;
    document.ask_before_overwrite = false;
    remember_disk_state(app, position);
    // The names are collected again from the saved text, so the label list, the colouring of
    // names and Format's labels stay as they were.
    document.names.clear();
    scan_names(app, position, text);
    activate_document(app, position);
    select_tab(app, position);
    show_tab_of(app, position);
    mark_saved(app.editor);
    note_recent_file(app, path);
    app.requesters->message("File saved", path, Buttons::Ok);
}

int close_with_prompt(App& app, int position, int no_cancel) {
    return prompt_and_close(app, position, no_cancel == 0).active;
}

std::optional<std::string> close_document_for_exit(App& app, int position) {
    CloseResult result = prompt_and_close(app, position, false, false);
    if (result.outcome != CloseOutcome::closed) return std::nullopt;
    return result.path;
}

void save_intro_text(App& app) {
    if (app.requesters->message("Intro Text", "Save current code as\nnew file Intro text?",
                                Buttons::YesNo) != Answer::Yes) {
        app.requesters->message("Intro Text", "Save cancelled", Buttons::Ok);
        return;
    }
    // The document itself keeps its modified state: its own file was not written, so closing it
    // must still ask about its changes.
    std::string text = get_editor_text(app.editor);
    if (write_text(app, app.folders.intro_path, text, "Intro Text"))
        app.intro_text = std::move(text);
}
