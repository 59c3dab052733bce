// Keeping a document's names true to its text.
#include "documents/name_refresh.h"

#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/name_scan.h"
#include "documents/workspace.h"
#include "editor/colouring.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QTimer>

#include <unordered_set>

namespace {

std::unordered_set<std::string> lowered_set(std::string_view names) {
    std::unordered_set<std::string> set;
    for (const std::string& name : split_names(lower_names(names))) set.insert(name);
    return set;
}

// The names of `names` (each followed by one blank) that `other` does not hold.
std::string names_missing_from(std::string_view names,
                               const std::unordered_set<std::string>& other) {
    std::string missing;
    for (const std::string& name : split_names(names))
        if (other.count(lower_names(name)) == 0) missing += name + ' ';
    return missing;
}

} // namespace

void schedule_names_refresh(Workspace& ws) {
    if (ws.names_timer) ws.names_timer->start(names_settle_ms);
}

void schedule_label_list_refresh(Workspace& ws) {
    if (ws.label_list_timer)
        ws.label_list_timer->start(0);
    else
        refresh_label_list(ws, ws.documents.current);
}

void withdraw_names(EditorRecord& record, QsciScintillaBase* editor, std::string_view names) {
    std::string words;
    std::string keywords;
    for (const std::string& name : split_names(names)) {
        words += name + ' ' + name + ": ";
        if (record.keyword_keys.count(word_key(name, false)) > 0) keywords += name + ' ';
    }
    remove_words(record, editor, words, false);
    // A label spelt like a keyword ("Print:") took the keyword's entry; it goes back.
    if (!keywords.empty()) add_words(record, editor, keywords, style::keyword, word_plain, false);
}

void refresh_names_from_text(Workspace& ws) {
    Document* document = ws.documents.current_document();
    if (!document || !ws.editor) return;
    ScannedNames scanned = scan_names_text(utf8_to_bytes(sci_text(ws.editor)));
    std::string names = unique_names(scanned.names);
    if (names == ws.documents.current_names) return;

    const std::string removed = names_missing_from(ws.documents.current_names, lowered_set(names));
    const std::string added = names_missing_from(names, lowered_set(ws.documents.current_names));
    withdraw_names(*ws.editor_record, ws.editor, removed);
    if (!scanned.found.empty())
        add_words(*ws.editor_record, ws.editor, scanned.found, style::name, word_plain, false);
    ws.documents.current_names = names;
    reset_name_index(ws.documents.current_index, names);
    document->names = std::move(names);
    refresh_label_list(ws, ws.documents.current);
    // Lines that use a withdrawn or new name are coloured again as they are shown.
    if (!removed.empty() || !added.empty()) {
        sci_start_styling(ws.editor, 0);
        ws.editor->viewport()->update();
    }
}
