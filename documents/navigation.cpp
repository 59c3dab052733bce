// Jumping to a name, the names of the active document and the note about unsavable characters.
#include "documents/navigation.h"

#include "app/app.h"
#include "app/main_window.h"
#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/jumps.h"
#include "documents/name_refresh.h"
#include "documents/name_scan.h"
#include "editor/colouring.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"

#include <QListWidget>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace {

constexpr int note_ms = 15000;

} // namespace

void jump_to_name(App& app) {
    QListWidgetItem* item = app.label_list ? app.label_list->currentItem() : nullptr;
    jump_to_name_line(app, item ? find_name_line(app, item->text().toLatin1().toStdString()) : -1);
}

void jump_to_name_line(App& app, long line) {
    jump_from_caret(app.editor, app.documents.current_document(),
                    app.settings.options.scroll_margin, line);
}

void jump_from_document(App& app, void* from, const std::string& from_path, long from_line,
                        long line) {
    Document* document = app.documents.current_document();
    if (document && from && from != document->scintilla_doc) {
        document->back_line = from_line;
        document->back_document = from;
        document->back_path = from_path;
    }
    if (line >= 0) go_to_line(app.editor, app.settings.options.scroll_margin, line);
    if (app.editor) app.editor->setFocus();
}

void return_from_jump(App& app) {
    Document* document = app.documents.current_document();
    if (document && document->back_line >= 0) {
        if (void* from = std::exchange(document->back_document, nullptr)) {
            // The jump came from another document: show it again, if it is still open.
            const std::string from_path = std::move(document->back_path);
            const auto& documents = app.documents.documents;
            const auto found =
                std::find_if(documents.begin(), documents.end(), [&](const Document& d) {
                    return d.scintilla_doc == from && d.path == from_path;
                });
            const long back = std::exchange(document->back_line, -1);
            if (found == documents.end()) return; // closed since
            activate_document(app, static_cast<int>(found - documents.begin()));
            go_to_line(app.editor, app.settings.options.scroll_margin, back);
            if (app.editor) app.editor->setFocus();
            return;
        }
    }
    return_command(app.editor, document, app.settings.options.scroll_margin);
}

long find_name_line(App& app, std::string_view name) {
    return find_name_line_in(utf8_to_bytes(sci_text(app.editor)), name);
}

void scan_names(App& app, int index, std::string_view text) {
    leave_document_view(app);
    ScannedNames scanned = scan_names_text(text);
    if (!scanned.found.empty())
        add_words(*app.editor_record, app.editor, scanned.found, style::name, 0, false);
    if (index < 0 || index >= app.documents.count()) return;
    // The current names and the document's names are one list, each name once and followed by
    // one blank, so the label list shows every name and nothing else.
    set_current_document(app.documents, index);
    app.documents.current_names = unique_names(scanned.names);
    reset_name_index(app.documents.current_index, app.documents.current_names);
    app.documents.documents[index].names = app.documents.current_names;
}

void add_name(App& app, int index, std::string_view name) {
    if (index < 0 || index >= app.documents.count()) return;
    set_current_document(app.documents, index);
    std::string& names = app.documents.current_names;
    if (name_index_holds(app.documents.current_index, name))
        return; // the label list would not change
    names += name;
    names += ' ';
    add_to_name_index(app.documents.current_index, name);
    app.documents.documents[index].names = names;
    // Colouring a pasted block learns its names one by one: the list is refilled once after.
    schedule_label_list_refresh(app);
}

void leave_document_view(App& app) {
    withdraw_names(app, app.documents.current_names);
    app.documents.current_names.clear();
    reset_name_index(app.documents.current_index, {});
    if (app.label_list) app.label_list->clear();
    Document* document = app.documents.current_document();
    if (!document) return;
    document->first_line = sci_first_visible_line(app.editor);
    document->caret_pos = sci_current_pos(app.editor);
}

void enter_document_view(App& app) {
    Document* document = app.documents.current_document();
    if (!document) return;
    app.documents.current_names = document->names;
    reset_name_index(app.documents.current_index, document->names);
    add_words(*app.editor_record, app.editor, app.documents.current_names, style::name, 0, false);
    sci_set_first_visible_line(app.editor, document->first_line);
    sci_goto_pos(app.editor, document->caret_pos);
    if (app.editor) app.editor->setFocus();
}

void note_unsavable_characters(App& app) {
    const Document* document = app.documents.current_document();
    if (!app.window || !app.editor || !document || document->encoding != TextEncoding::latin1)
        return;
    const long line = sci_caret_line(app.editor);
    const std::string inserted =
        sci_text_range(app.editor, sci_position_from_line(app.editor, line),
                       sci_line_end_position(app.editor, line));
    // Characters from U+0100 up start with a byte of 0xC4 or more.
    if (std::none_of(inserted.begin(), inserted.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0xC4; }))
        return;
    app.window->statusBar()->showMessage(
        QStringLiteral("Characters above 255 can't be saved in this file: they would be saved as "
                       "\"?\""),
        note_ms);
}
