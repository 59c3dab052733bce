// Bookmarks, jumps, names of the active document and the status line.
#include "documents/navigation.h"

#include "app/app.h"
#include "app/main_window.h"
#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/name_scan.h"
#include "editor/colouring.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/marks.h"
#include "editor/sci.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace {

constexpr int line_field_least_width = 100;
constexpr int note_ms = 15000;

// Widens the line field so that "Line: count/count" fits; it never narrows while running, so
// the fields after it do not jump about while the caret moves.
void fit_line_field(QLabel* field, long count) {
    const std::string widest =
        "Line: " + std::to_string(count) + "/" + std::to_string(count) + "  ";
    const int wanted =
        std::max(line_field_least_width,
                 field->fontMetrics().horizontalAdvance(QString::fromStdString(widest)) +
                     field->contentsMargins().left() + field->contentsMargins().right());
    if (wanted > field->width()) field->setFixedWidth(wanted);
}

long caret_line(App& app) {
    return sci_caret_line(app.editor);
}

long find_bookmark(App& app, long start, bool forward) {
    return (forward ? sci_marker_next : sci_marker_previous)(app.editor, start, bookmark_mask);
}

void focus_editor(App& app) {
    if (app.editor) app.editor->setFocus();
}

// The decimal number at the start of an answer; anything else counts as 0, and numbers too
// large for a line are clamped (the editor stops at its last line anyway).
// A jump within the document: "Return from Sub/Function" comes back to `line` of it.
void set_return_line(Document& document, long line) {
    document.back_line = line;
    document.back_document = nullptr;
    document.back_path.clear();
}

long answer_number(std::string_view answer) {
    while (!answer.empty() && (answer.front() == ' ' || answer.front() == '\t'))
        answer.remove_prefix(1);
    bool negative = !answer.empty() && answer.front() == '-';
    if (!answer.empty() && (answer.front() == '-' || answer.front() == '+'))
        answer.remove_prefix(1);
    long value = 0;
    for (char c : answer) {
        if (c < '0' || c > '9') break;
        value = value > 100000000 ? value : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace

long go_to_line(App& app, long line) {
    sci_goto_line(app.editor, line);
    long first = line - app.settings.options.scroll_margin;
    sci_set_first_visible_line(app.editor, std::max(first, 0L));
    return line;
}

void toggle_bookmark(App& app) {
    long line = caret_line(app);
    if (sci_marker_get(app.editor, line) & bookmark_mask)
        sci_marker_delete(app.editor, line, marker_bookmark);
    else
        sci_marker_add(app.editor, line, marker_bookmark);
}

void next_bookmark(App& app) {
    long found = find_bookmark(app, caret_line(app) + 1, true);
    if (found >= 0) {
        sci_goto_line(app.editor, found);
        return;
    }
    found = find_bookmark(app, 0, true);
    if (found >= 0) go_to_line(app, found);
}

void previous_bookmark(App& app) {
    long found = caret_line(app) > 0 ? find_bookmark(app, caret_line(app) - 1, false) : -1;
    if (found >= 0) {
        sci_goto_line(app.editor, found);
        return;
    }
    found = find_bookmark(app, sci_line_count(app.editor), false);
    if (found >= 0) go_to_line(app, found);
}

void goto_line_command(App& app) {
    Document* document = app.documents.current_document();
    const long from = caret_line(app);
    std::optional<std::string> answer = app.requesters->input("Goto", "Line Number", "");
    long line = answer ? answer_number(*answer) - 1 : -1;
    // Only a jump that happens changes where "Return from Sub/Function" goes.
    if (line >= 0) {
        if (document) set_return_line(*document, from);
        go_to_line(app, line);
    }
    focus_editor(app);
}

void return_command(App& app) {
    Document* document = app.documents.current_document();
    if (!document || document->back_line < 0) return;
    // Back to where the last jump came from, once; then nothing until the next jump.
    const long back = document->back_line;
    document->back_line = -1;
    if (void* from = std::exchange(document->back_document, nullptr)) {
        const std::string from_path = std::move(document->back_path);
        const auto& documents = app.documents.documents;
        const auto found = std::find_if(documents.begin(), documents.end(), [&](const Document& d) {
            return d.scintilla_doc == from && d.path == from_path;
        });
        if (found == documents.end()) return; // closed since
        activate_document(app, static_cast<int>(found - documents.begin()));
    }
    go_to_line(app, back);
    focus_editor(app);
}

void jump_to_name(App& app) {
    QListWidgetItem* item = app.label_list ? app.label_list->currentItem() : nullptr;
    jump_to_name_line(app, item ? find_name_line(app, item->text().toLatin1().toStdString()) : -1);
}

void jump_to_name_line(App& app, long line) {
    Document* document = app.documents.current_document();
    if (document) set_return_line(*document, caret_line(app));
    if (line >= 0) go_to_line(app, line);
    focus_editor(app);
}

void jump_from_document(App& app, void* from, const std::string& from_path, long from_line,
                        long line) {
    Document* document = app.documents.current_document();
    if (document && from && from != document->scintilla_doc) {
        document->back_line = from_line;
        document->back_document = from;
        document->back_path = from_path;
    }
    if (line >= 0) go_to_line(app, line);
    focus_editor(app);
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
    app.documents.current = index;
    app.documents.current_names = unique_names(scanned.names);
    reset_name_index(app.documents.current_index, app.documents.current_names);
    app.documents.documents[index].names = app.documents.current_names;
}

void add_name(App& app, int index, std::string_view name) {
    if (index < 0 || index >= app.documents.count()) return;
    app.documents.current = index;
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
    focus_editor(app);
}

void show_line_status(App& app) {
    if (!app.status_fields[1] || !app.editor) return;
    const long count = sci_line_count(app.editor);
    std::string text = "Line: " + std::to_string(caret_line(app) + 1) + "/" + std::to_string(count);
    if (text != app.shown_line_status) { // no repaint when nothing changed
        app.shown_line_status = text;
        fit_line_field(app.status_fields[1], count);
        app.status_fields[1]->setText(QString::fromStdString(text));
    }
    if (!app.status_fields[0]) return;
    long column = sci_column(app.editor, sci_current_pos(app.editor));
    std::string column_text = "Col: " + std::to_string(column + 1);
    if (column_text == app.shown_column_status) return;
    app.shown_column_status = column_text;
    app.status_fields[0]->setText(QString::fromStdString(column_text));
}

void show_document_status(App& app) {
    Document* document = app.documents.current_document();
    if (app.status_fields[2])
        app.status_fields[2]->setText(document ? QFile::decodeName(document->path.c_str())
                                               : QString());
    show_line_status(app);
    show_file_format(app);
}

void show_file_format(App& app) {
    const Document* document = app.documents.current_document();
    if (!app.status_fields[3] || !document) return;
    const bool utf8 = document->encoding == TextEncoding::utf8;
    const bool crlf = document->line_end == LineEnd::crlf;
    app.status_fields[3]->setText(QString::fromLatin1(utf8 ? "UTF-8" : "Latin-1") +
                                  QString::fromLatin1(crlf ? ", CRLF" : ", LF"));
}

void note_unsavable_characters(App& app) {
    const Document* document = app.documents.current_document();
    if (!app.window || !app.editor || !document || document->encoding != TextEncoding::latin1)
        return;
    const long line = caret_line(app);
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
