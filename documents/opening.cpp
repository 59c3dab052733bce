// Reading files into new documents.
#include "documents/opening.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/navigation.h"
#include "documents/recent_commands.h"
#include "documents/recent_files.h"
#include "documents/workspace.h"
#include "editor/colouring.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QMainWindow>
#include <QStatusBar>

#include <filesystem>
#include <unordered_map>

namespace {

constexpr int note_ms = 15000;

// A file of well-formed UTF-8 with characters beyond one byte is kept as UTF-8, so that saving
// it back changes nothing; every other file is one byte per character.
void take_encoding(Workspace& ws, int index, std::string_view text) {
    const bool utf8 = is_multibyte_utf8(text);
    ws.documents.documents[index].encoding = utf8 ? TextEncoding::utf8 : TextEncoding::latin1;
    if (utf8 && ws.main_window)
        ws.main_window->statusBar()->showMessage(
            QStringLiteral("UTF-8 file: characters above 255 are kept"), note_ms);
}

// The file a path names with every link resolved, or nothing when it cannot be resolved.
std::string resolved(const std::string& path) {
    std::error_code error;
    std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? std::string() : real.string();
}

// Shows the document at `index` as Open shows a new one.
void show_open_document(Workspace& ws, int index) {
    activate_document(ws, index);
    select_tab(ws, index);
}

// The common tail of every opened file: names, text, save point, view options, colouring.
// The document keeps the line ends it was read with, so opening never changes it.
void load_text(Workspace& ws, int index, const std::string& text) {
    take_encoding(ws, index, text);
    ws.documents.documents[index].line_end =
        detect_line_end(text, line_end_of_mode(ws.settings.options.line_endings_mode));
    scan_names(ws, index, text);
    set_editor_text(ws, text, true);
    mark_saved(ws.editor);
    remember_disk_state(ws, index);
    Q_EMIT ws.document_events.view_options_wanted();
    refresh_label_list(ws, index);
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
std::unordered_map<std::string, int> open_documents_by_file(const Workspace& ws) {
    std::unordered_map<std::string, int> open;
    for (int i = 0; i < ws.documents.count(); ++i) {
        const Document& document = ws.documents.documents[i];
        if (!stands_for_its_file(document)) continue;
        if (std::string file = resolved(document.path); !file.empty()) open.emplace(file, i);
    }
    return open;
}

} // namespace

int find_open_document(Workspace& ws, const std::string& path) {
    const std::string wanted = resolved(path);
    if (wanted.empty()) return -1;
    for (int i = 0; i < ws.documents.count(); ++i) {
        const Document& document = ws.documents.documents[i];
        if (stands_for_its_file(document) && resolved(document.path) == wanted) return i;
    }
    return -1;
}

void open_files(Workspace& ws, std::string_view path_list) {
    int last = -1;
    bool last_was_open = false; // the last path named a document already open
    std::size_t start = 0;
    std::unordered_map<std::string, int> open = open_documents_by_file(ws);
    begin_watch_batch(ws);
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
        int index = create_document(ws, path);
        if (index < 0) continue;
        if (!file_of_path.empty()) open.emplace(file_of_path, index);
        last = index;
        last_was_open = false;
        load_text(ws, index, file.bytes);
        if (path[0] == '/') add_recent(ws.view_state.recent, path);
    }
    end_watch_batch(ws);
    if (last < 0) {
        new_document(ws);
    } else {
        if (last_was_open) show_open_document(ws, last);
        refresh_label_list(ws, last);
        save_view_state(ws.view_state, ws.folders); // once for the whole list
        Q_EMIT ws.document_events.recent_files_changed();
    }
}

int open_with_requester(Workspace& ws) {
    std::string path =
        ws.requesters->open_file("Open", ws.folders.current + "*.bas", open_file_filter);
    if (path.empty()) return -1;
    return open_path(ws, path);
}

int open_path(Workspace& ws, const std::string& path) {
    if (const int open = find_open_document(ws, path); open >= 0) {
        show_open_document(ws, open);
        return open;
    }
    ReadResult file = read_whole_file(path);
    if (!file.ok) {
        // Making an empty document under that name would let a later Save destroy the file.
        ws.requesters->message("Open", "Couldn't open " + path + "\n" + file.error, Buttons::Ok);
        return -1;
    }
    ws.folders.current = folder_of(path);
    const int index = create_document(ws, path);
    if (index < 0) return index;
    load_text(ws, index, file.bytes);
    note_recent_file(ws, path);
    return index;
}

int open_unsaved_document(Workspace& ws, const std::string& path, std::string_view text) {
    // A text for a file open and unchanged goes into that document rather than a second tab.
    int index = find_open_document(ws, path);
    if (index >= 0 && !ws.documents.documents[index].modified)
        show_open_document(ws, index);
    else
        index = create_document(ws, path);
    if (index < 0) return index;
    take_encoding(ws, index, text);
    ws.documents.documents[index].line_end =
        detect_line_end(text, line_end_of_mode(ws.settings.options.line_endings_mode));
    scan_names(ws, index, text);
    // Kept as a change after the empty start, so the document is not at its save point.
    set_editor_text(ws, text, false);
    Q_EMIT ws.document_events.view_options_wanted();
    refresh_label_list(ws, index);
    return index;
}

void open_first_documents(Workspace& ws) {
    if (!ws.command_line_list.empty())
        open_files(ws, ws.command_line_list);
    else if (ws.settings.open_blank_file == 1 || ws.settings.saved_file_count == 0)
        new_document(ws);
    else
        open_files(ws, ws.settings.open_file_list);
}
