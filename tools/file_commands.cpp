#include "tools/file_commands.h"

#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/opening.h"
#include "documents/saving.h"
#include "documents/workspace.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <algorithm>
#include <optional>

namespace {

bool ends_with_line_end(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

// The chosen file's bytes as the editor's text with the document's line ends; nothing when the
// requester was cancelled or the file could not be read (told in a box).
std::optional<std::string> read_file_to_insert(Workspace& ws, LineEnd line_end) {
    std::string path =
        ws.requesters->open_file("Open", ws.folders.current + "*.bas", open_file_filter);
    if (path.empty()) return std::nullopt;
    ReadResult file = read_whole_file(path);
    if (!file.ok) {
        ws.requesters->message("Open", "Couldn't open " + path + "\n" + file.error, Buttons::Ok);
        return std::nullopt;
    }
    return with_line_ends(file.bytes, line_end);
}

// Puts the inserted file's `text` in at `position` as one undo step (zero bytes included) and
// learns its names at once. An 8-bit document takes every byte as one character, so each byte
// is saved again as it was; a document kept as UTF-8 takes a UTF-8 file's characters as they
// are, since reading its bytes one by one would save every character above 127 as two.
void insert_text(Workspace& ws, long position, std::string_view text) {
    const Document* document = ws.documents.current_document();
    const bool keeps_utf8 = document && document->encoding == TextEncoding::utf8;
    std::string utf8 =
        keeps_utf8 && is_multibyte_utf8(text) ? std::string(text) : bytes_to_utf8(text);
    sci_begin_undo_action(ws.editor);
    sci_set_target_range(ws.editor, position, position);
    sci_replace_target(ws.editor, utf8);
    sci_end_undo_action(ws.editor);
    refresh_names_from_text(ws);
}

void insert_file(Workspace& ws, bool at_end) {
    Document* document = ws.documents.current_document();
    if (!ws.editor || !document) return;
    std::optional<std::string> text = read_file_to_insert(ws, document->line_end);
    if (!text || text->empty()) return;
    const std::string line_end(line_end_text(document->line_end));
    const long length = sci_length(ws.editor);
    long position = length;
    if (!at_end) {
        long next_line = sci_caret_line(ws.editor) + 1;
        position = next_line < sci_line_count(ws.editor)
                       ? sci_position_from_line(ws.editor, next_line)
                       : length;
    }
    // The inserted text starts a line of its own and ends with a line end unless it is last.
    std::string piece;
    if (position == length && length > 0 &&
        !ends_with_line_end(sci_text_range(ws.editor, length - 1, length)))
        piece = line_end;
    piece += *text;
    if (position < length && !ends_with_line_end(piece)) piece += line_end;
    insert_text(ws, position, piece);
}

} // namespace

void insert_file_after_line(Workspace& ws) {
    insert_file(ws, false);
}

void insert_file_at_end(Workspace& ws) {
    insert_file(ws, true);
}

void save_selection(Workspace& ws) {
    if (!ws.editor || sci_selection_empty(ws.editor)) return;
    // Read before the requester opens: nothing the user does there may change what is saved.
    const long start = sci_selection_start(ws.editor);
    const std::string selected = sci_text_range(ws.editor, start, sci_selection_end(ws.editor));
    if (!may_write_characters(ws, selected, start, "Save Selection")) return;
    const std::string text =
        is_eight_bit(ws.documents.current_document()) ? utf8_to_bytes(selected) : selected;
    std::string path = ask_for_save_path(ws, "Save Selection");
    if (path.empty() || !may_replace_file(*ws.requesters, path)) return;
    if (write_text(ws, path, text, "Save Selection"))
        ws.requesters->message("File saved", path, Buttons::Ok);
}

bool can_restore(const Workspace& ws) {
    const Document* document = ws.documents.current_document();
    return ws.editor && document && !is_untitled(*document) && is_regular_file(document->path);
}

void restore_document(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (!can_restore(ws)) return;
    if (sci_modified(ws.editor) &&
        ws.requesters->message("Restore",
                               "Discard your changes to " + document->file_name +
                                   " and read it again from disk?",
                               Buttons::YesNoDefaultNo) != Answer::Yes)
        return;
    SettledRead read = read_settled(document->path);
    if (!read.file.ok) {
        ws.requesters->message(
            "Restore", "Couldn't open " + document->path + "\n" + read.file.error, Buttons::Ok);
        return;
    }
    reload_current_document(ws, read.file.bytes, read.stamp);
}
