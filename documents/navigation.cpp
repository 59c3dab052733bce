// Jumping to a name, the names of the active document and the note about unsavable characters.
#include "documents/navigation.h"

#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/jumps.h"
#include "documents/name_refresh.h"
#include "documents/name_scan.h"
#include "documents/workspace.h"
#include "editor/colouring.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"

#include <QListWidget>
#include <QMainWindow>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace {

constexpr int note_ms = 15000;

} // namespace

void jump_to_name(Workspace& ws) {
    QListWidgetItem* item = ws.label_list ? ws.label_list->currentItem() : nullptr;
    jump_to_name_line(ws, item ? find_name_line(ws, item->text().toLatin1().toStdString()) : -1);
}

void jump_to_name_line(Workspace& ws, long line) {
    jump_from_caret(ws.editor, ws.documents.current_document(), ws.settings.options.scroll_margin,
                    line);
}

void jump_from_document(Workspace& ws, void* from, const std::string& from_path, long from_line,
                        long line) {
    Document* document = ws.documents.current_document();
    if (document && from && from != document->scintilla_doc) {
        document->back_line = from_line;
        document->back_document = from;
        document->back_path = from_path;
    }
    if (line >= 0) go_to_line(ws.editor, ws.settings.options.scroll_margin, line);
    if (ws.editor) ws.editor->setFocus();
}

void return_from_jump(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (document && document->back_line >= 0) {
        if (void* from = std::exchange(document->back_document, nullptr)) {
            // The jump came from another document: show it again, if it is still open.
            const std::string from_path = std::move(document->back_path);
            const auto& documents = ws.documents.documents;
            const auto found =
                std::find_if(documents.begin(), documents.end(), [&](const Document& d) {
                    return d.scintilla_doc == from && d.path == from_path;
                });
            const long back = std::exchange(document->back_line, -1);
            if (found == documents.end()) return; // closed since
            activate_document(ws, static_cast<int>(found - documents.begin()));
            go_to_line(ws.editor, ws.settings.options.scroll_margin, back);
            if (ws.editor) ws.editor->setFocus();
            return;
        }
    }
    return_command(ws.editor, document, ws.settings.options.scroll_margin);
}

long find_name_line(Workspace& ws, std::string_view name) {
    return find_name_line_in(utf8_to_bytes(sci_text(ws.editor)), name);
}

void scan_names(Workspace& ws, int index, std::string_view text) {
    leave_document_view(ws);
    ScannedNames scanned = scan_names_text(text);
    if (!scanned.found.empty())
        add_words(*ws.editor_record, ws.editor, scanned.found, style::name, 0, false);
    if (index < 0 || index >= ws.documents.count()) return;
    // The current names and the document's names are one list, each name once and followed by
    // one blank, so the label list shows every name and nothing else.
    set_current_document(ws.documents, index);
    ws.documents.current_names = unique_names(scanned.names);
    reset_name_index(ws.documents.current_index, ws.documents.current_names);
    ws.documents.documents[index].names = ws.documents.current_names;
}

void add_name(Workspace& ws, int index, std::string_view name) {
    if (index < 0 || index >= ws.documents.count()) return;
    set_current_document(ws.documents, index);
    std::string& names = ws.documents.current_names;
    if (name_index_holds(ws.documents.current_index, name))
        return; // the label list would not change
    names += name;
    names += ' ';
    add_to_name_index(ws.documents.current_index, name);
    ws.documents.documents[index].names = names;
    // Colouring a pasted block learns its names one by one: the list is refilled once after.
    schedule_label_list_refresh(ws);
}

void leave_document_view(Workspace& ws) {
    withdraw_names(*ws.editor_record, ws.editor, ws.documents.current_names);
    ws.documents.current_names.clear();
    reset_name_index(ws.documents.current_index, {});
    if (ws.label_list) ws.label_list->clear();
    Document* document = ws.documents.current_document();
    if (!document) return;
    document->first_line = sci_first_visible_line(ws.editor);
    document->caret_pos = sci_current_pos(ws.editor);
}

void enter_document_view(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (!document) return;
    ws.documents.current_names = document->names;
    reset_name_index(ws.documents.current_index, document->names);
    add_words(*ws.editor_record, ws.editor, ws.documents.current_names, style::name, 0, false);
    sci_set_first_visible_line(ws.editor, document->first_line);
    sci_goto_pos(ws.editor, document->caret_pos);
    if (ws.editor) ws.editor->setFocus();
}

void note_unsavable_characters(Workspace& ws) {
    const Document* document = ws.documents.current_document();
    if (!ws.main_window || !ws.editor || !document || document->encoding != TextEncoding::latin1)
        return;
    const long line = sci_caret_line(ws.editor);
    const std::string inserted = sci_text_range(ws.editor, sci_position_from_line(ws.editor, line),
                                                sci_line_end_position(ws.editor, line));
    // Characters from U+0100 up start with a byte of 0xC4 or more.
    if (std::none_of(inserted.begin(), inserted.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xC4; }))
        return;
    ws.main_window->statusBar()->showMessage(
        QStringLiteral("Characters above 255 can't be saved in this file: they would be saved as "
                       "\"?\""),
        note_ms);
}
