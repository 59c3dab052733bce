#include "tools/file_commands.h"

#include "app/app.h"
#include "app/view_commands.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/opening.h"
#include "documents/saving.h"
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
std::optional<std::string> read_file_to_insert(App& app, LineEnd line_end) {
    std::string path =
        app.requesters->open_file("Open", app.folders.current + "*.bas", open_file_filter);
    if (path.empty()) return std::nullopt;
    ReadResult file = read_whole_file(path);
    if (!file.ok) {
        app.requesters->message("Open", "Couldn't open " + path + "\n" + file.error, Buttons::Ok);
        return std::nullopt;
    }
    return with_line_ends(file.bytes, line_end);
}

// Puts the inserted file's `text` in at `position` as one undo step (zero bytes included) and
// learns its names at once. An 8-bit document takes every byte as one character, so each byte
// is saved again as it was; a document kept as UTF-8 takes a UTF-8 file's characters as they
// are, since reading its bytes one by one would save every character above 127 as two.
void insert_text(App& app, long position, std::string_view text) {
    const Document* document = app.documents.current_document();
    const bool keeps_utf8 = document && document->encoding == TextEncoding::utf8;
    std::string utf8 =
        keeps_utf8 && is_multibyte_utf8(text) ? std::string(text) : bytes_to_utf8(text);
    sci_begin_undo_action(app.editor);
    sci_set_target_range(app.editor, position, position);
    sci_replace_target(app.editor, utf8);
    sci_end_undo_action(app.editor);
    refresh_names_from_text(app);
}

void insert_file(App& app, bool at_end) {
    Document* document = app.documents.current_document();
    if (!app.editor || !document) return;
    std::optional<std::string> text = read_file_to_insert(app, document->line_end);
    if (!text || text->empty()) return;
    const std::string line_end(line_end_text(document->line_end));
    const long length = sci_length(app.editor);
    long position = length;
    if (!at_end) {
        long next_line = sci_caret_line(app.editor) + 1;
        position = next_line < sci_line_count(app.editor)
                       ? sci_position_from_line(app.editor, next_line)
                       : length;
    }
    // The inserted text starts a line of its own and ends with a line end unless it is last.
    std::string piece;
    if (position == length && length > 0 &&
        !ends_with_line_end(sci_text_range(app.editor, length - 1, length)))
        piece = line_end;
    piece += *text;
    if (position < length && !ends_with_line_end(piece)) piece += line_end;
    insert_text(app, position, piece);
}

} // namespace

void insert_file_after_line(App& app) {
    insert_file(app, false);
}

void insert_file_at_end(App& app) {
    insert_file(app, true);
}

void save_selection(App& app) {
    if (!app.editor || sci_selection_empty(app.editor)) return;
    // Read before the requester opens: nothing the user does there may change what is saved.
    const long start = sci_selection_start(app.editor);
    const std::string selected = sci_text_range(app.editor, start, sci_selection_end(app.editor));
    if (!may_write_characters(app, selected, start, "Save Selection")) return;
    const std::string text = is_eight_bit(app) ? utf8_to_bytes(selected) : selected;
    std::string path = ask_for_save_path(app, "Save Selection");
    if (path.empty() || !may_replace_file(*app.requesters, path)) return;
    if (write_text(app, path, text, "Save Selection"))
        app.requesters->message("File saved", path, Buttons::Ok);
}

bool can_restore(const App& app) {
    const Document* document = app.documents.current_document();
    return app.editor && document && !is_untitled(*document) && is_regular_file(document->path);
}

void restore_document(App& app) {
    Document* document = app.documents.current_document();
    if (!can_restore(app)) return;
    if (sci_modified(app.editor) &&
        app.requesters->message("Restore",
                                "Discard your changes to " + document->file_name +
                                    " and read it again from disk?",
                                Buttons::YesNoDefaultNo) != Answer::Yes)
        return;
    SettledRead read = read_settled(document->path);
    if (!read.file.ok) {
        app.requesters->message(
            "Restore", "Couldn't open " + document->path + "\n" + read.file.error, Buttons::Ok);
        return;
    }
    reload_current_document(app, read.file.bytes, read.stamp);
}
