// Reading files into new documents.
#include "documents/opening.h"

#include "app/app.h"
#include "app/folders.h"
#include "app/view_commands.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/recent_commands.h"
#include "documents/recent_files.h"
#include "editor/colouring.h"
#include "editor/editor_widget.h"
#include "editor/navigation.h"
#include "editor/sci.h"
#include "tools/file_io.h"

namespace {

// The common tail of every opened file: names, text, save point, view options, colouring.
// The document keeps the line ends it was read with, so opening never changes it.
void load_text(App& app, int index, const std::string& text) {
    app.documents.documents[index].line_end =
        detect_line_end(text, line_end_of_mode(app.settings.options.line_endings_mode));
    scan_names(app, index, text);
    set_editor_text(app, text, true);
    mark_saved(app.editor);
    remember_disk_state(app, index);
    apply_view_options(app);
    refresh_label_list(app, index);
}

} // namespace

void open_files(App& app, std::string_view path_list) {
    int last = -1;
    std::size_t start = 0;
    begin_watch_batch(app);
    while (start <= path_list.size()) {
        std::size_t end = path_list.find('\n', start);
        if (end == std::string_view::npos) end = path_list.size();
        std::string path(path_list.substr(start, end - start));
        start = end + 1;
        if (path.empty()) continue;
        ReadResult file = read_whole_file(path);
        if (!file.ok) continue; // skipped without a message
        int index = create_document(app, path);
        if (index < 0) continue;
        last = index;
        load_text(app, index, file.bytes);
        if (path[0] == '/') add_recent(app.view_state.recent, path);
    }
    end_watch_batch(app);
    if (last < 0) {
        new_document(app);
    } else {
        refresh_label_list(app, last);
        save_view_state(app); // once for the whole list
        show_recent_files(app);
    }
}

int open_with_requester(App& app) {
    std::string path =
        app.requesters->open_file("Open", app.folders.current + "*.bas", program_file_filter);
    if (path.empty()) return -1;
    return open_path(app, path);
}

int open_path(App& app, const std::string& path) {
    ReadResult file = read_whole_file(path);
    if (!file.ok) {
        // Making an empty document under that name would let a later Save destroy the file.
        app.requesters->message("Open", "Couldn't open " + path + "\n" + file.error, Buttons::Ok);
        return -1;
    }
    app.folders.current = folder_of(path);
    int index = create_document(app, path);
    if (index < 0) return index;
    load_text(app, index, file.bytes);
    note_recent_file(app, path);
    return index;
}

int open_unsaved_document(App& app, const std::string& path, std::string_view text) {
    const int index = create_document(app, path);
    if (index < 0) return index;
    app.documents.documents[index].line_end =
        detect_line_end(text, line_end_of_mode(app.settings.options.line_endings_mode));
    scan_names(app, index, text);
    // Kept as a change after the empty start, so the document is not at its save point.
    set_editor_text(app, text, false);
    apply_view_options(app);
    refresh_label_list(app, index);
    return index;
}

void open_first_documents(App& app) {
    if (!app.command_line_list.empty())
        open_files(app, app.command_line_list);
    else if (app.settings.open_blank_file == 1 || app.settings.saved_file_count == 0)
        new_document(app);
    else
        open_files(app, app.settings.open_file_list);
}
