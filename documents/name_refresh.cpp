// Keeping a document's names true to its text.
#include "documents/name_refresh.h"

#include "app/app.h"
#include "base/text_conversion.h"
#include "documents/document_commands.h"
#include "documents/name_scan.h"
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

void schedule_names_refresh(App& app) {
    if (app.names_timer) app.names_timer->start(names_settle_ms);
}

void schedule_label_list_refresh(App& app) {
    if (app.label_list_timer)
        app.label_list_timer->start(0);
    else
        refresh_label_list(app, app.documents.current);
}

void withdraw_names(App& app, std::string_view names) {
    std::string words;
    std::string keywords;
    for (const std::string& name : split_names(names)) {
        words += name + ' ' + name + ": ";
        if (app.editor_record->keyword_keys.count(word_key(name, false)) > 0)
            keywords += name + ' ';
    }
    remove_words(*app.editor_record, app.editor, words, false);
    // A label spelt like a keyword ("Print:") took the keyword's entry; it goes back.
    if (!keywords.empty())
        add_words(*app.editor_record, app.editor, keywords, style::keyword, word_plain, false);
}

void refresh_names_from_text(App& app) {
    Document* document = app.documents.current_document();
    if (!document || !app.editor) return;
    ScannedNames scanned = scan_names_text(utf8_to_bytes(sci_text(app.editor)));
    std::string names = unique_names(scanned.names);
    if (names == app.documents.current_names) return;

    const std::string removed = names_missing_from(app.documents.current_names, lowered_set(names));
    const std::string added = names_missing_from(names, lowered_set(app.documents.current_names));
    withdraw_names(app, removed);
    if (!scanned.found.empty())
        add_words(*app.editor_record, app.editor, scanned.found, style::name, word_plain, false);
    app.documents.current_names = names;
    reset_name_index(app.documents.current_index, names);
    document->names = std::move(names);
    refresh_label_list(app, app.documents.current);
    // Lines that use a withdrawn or new name are coloured again as they are shown.
    if (!removed.empty() || !added.empty()) {
        sci_start_styling(app.editor, 0);
        app.editor->viewport()->update();
    }
}
