// Reading files into new documents.
#include "documents/opening.h"

#include "app/app.h"
#include "app/main_window.h"
#include "app/view_commands.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/navigation.h"
#include "documents/recent_commands.h"
#include "documents/recent_files.h"
#include "editor/colouring.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QStatusBar>

#include <filesystem>
#include <unordered_map>

namespace {

constexpr int note_ms = 15000;

// A file of well-formed UTF-8 with characters beyond one byte is kept as UTF-8, so that saving
// it back changes nothing; every other file is one byte per character.
void take_encoding(App& app, int index, std::string_view text) {
    const bool utf8 = is_multibyte_utf8(text);
    app.documents.documents[index].encoding = utf8 ? TextEncoding::utf8 : TextEncoding::latin1;
    if (utf8 && app.window)
        app.window->statusBar()->showMessage(
            QStringLiteral("UTF-8 file: characters above 255 are kept"), note_ms);
}

// The file a path names with every link resolved, or nothing when it cannot be resolved.
std::string resolved(const std::string& path) {
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? std::string() : real.string();
}

// Shows the document at `index` as Open shows a new one.
void show_open_document(App& app, int index) {
    activate_document(app, index);
    select_tab(app, index);
}

// The common tail of every opened file: names, text, save point, view options, colouring.
// The document keeps the line ends it was read with, so opening never changes it.
void load_text(App& app, int index, const std::string& text) {
    take_encoding(app, index, text);
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

namespace {

// Whether the document stands for the file its path names: a new document's path names no file
// of its own, even when one of that name exists, and a report is no file either.
bool stands_for_its_file(const Document& document) {
    const bool never_saved = !document.disk.known && document.file_name == "untitled.bas";
    return !never_saved && document.report_of.empty();
}

// The open documents by the file their path resolves to, for many look-ups at once: resolving
// every open path again for each file of a long list would take time in proportion to the
// square of their number.
std::unordered_map<std::string, int> open_documents_by_file(const App& app) {
    std::unordered_map<std::string, int> open;
    for (int i = 0; i < app.documents.count(); ++i) {
        const Document& document = app.documents.documents[i];
        if (!stands_for_its_file(document)) continue;
        if (std::string file = resolved(document.path); !file.empty()) open.emplace(file, i);
    }
    return open;
}

} // namespace

int find_open_document(App& app, const std::string& path) {
    const std::string wanted = resolved(path);
    if (wanted.empty()) return -1;
    for (int i = 0; i < app.documents.count(); ++i) {
        const Document& document = app.documents.documents[i];
        if (stands_for_its_file(document) && resolved(document.path) == wanted) return i;
    }
    return -1;
}

void open_files(App& app, std::string_view path_list) {
    int last = -1;
    bool last_was_open = false; // the last path named a document already open
    std::size_t start = 0;
    std::unordered_map<std::string, int> open = open_documents_by_file(app);
    begin_watch_batch(app);
    while (start <= path_list.size()) {
        std::size_t end = path_list.find('\n', start);
        if (end == std::string_view::npos) end = path_list.size();
        std::string path(path_list.substr(start, end - start));
        start = end + 1;
        if (path.empty()) continue;
        const std::string file_of_path = resolved(path);
        if (auto found = open.find(file_of_path); found != open.end() && !file_of_path.empty()) {
            last = found->second;
            last_was_open = true;
            continue;
        }
        ReadResult file = read_whole_file(path);
        if (!file.ok) continue; // skipped without a message
        int index = create_document(app, path);
        if (index < 0) continue;
        if (!file_of_path.empty()) open.emplace(file_of_path, index);
        last = index;
        last_was_open = false;
        load_text(app, index, file.bytes);
        if (path[0] == '/') add_recent(app.view_state.recent, path);
    }
    end_watch_batch(app);
    if (last < 0) {
        new_document(app);
    } else {
        if (last_was_open) show_open_document(app, last);
        refresh_label_list(app, last);
        save_view_state(app.view_state, app.folders); // once for the whole list
        show_recent_files(app);
    }
}

int open_with_requester(App& app) {
    std::string path =
        app.requesters->open_file("Open", app.folders.current + "*.bas", open_file_filter);
    if (path.empty()) return -1;
    return open_path(app, path);
}

int open_path(App& app, const std::string& path) {
    if (const int open = find_open_document(app, path); open >= 0) {
        show_open_document(app, open);
        return open;
    }
    ReadResult file = read_whole_file(path);
    if (!file.ok) {
        // Making an empty document under that name would let a later Save destroy the file.
        app.requesters->message("Open", "Couldn't open " + path + "\n" + file.error, Buttons::Ok);
        return -1;
    }
    app.folders.current = folder_of(path);
    const int index = create_document(app, path);
    if (index < 0) return index;
    load_text(app, index, file.bytes);
    note_recent_file(app, path);
    return index;
}

int open_unsaved_document(App& app, const std::string& path, std::string_view text) {
    // A text for a file open and unchanged goes into that document rather than a second tab.
    int index = find_open_document(app, path);
    if (index >= 0 && !app.documents.documents[index].modified)
        show_open_document(app, index);
    else
        index = create_document(app, path);
    if (index < 0) return index;
    take_encoding(app, index, text);
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
