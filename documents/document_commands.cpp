// The document list's lifecycle: creation, activation, tabs and the label list.
#include "documents/document_commands.h"

#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/name_scan.h"
#include "documents/navigation.h"
#include "documents/recovery.h"
#include "documents/status_line.h"
#include "documents/tab_state.h"
#include "documents/tabbar_widget.h"
#include "documents/workspace.h"
#include "editor/colouring.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {

// Every listed document holds one reference to its Scintilla document and the control holds
// one more on the document it shows, so switching never frees a listed document and removing
// one frees it as soon as it is no longer shown.
void* new_scintilla_document(QsciScintillaBase* editor) {
    return reinterpret_cast<void*>(sci_create_document(editor));
}

void show_scintilla_document(QsciScintillaBase* editor, void* document) {
    sci_set_document(editor, document);
}

// The folder part of a path as the current folder takes it: a leading double quote is skipped
// and the path is cut at a "|".
std::string folder_for_current(std::string_view path) {
    if (!path.empty() && path.front() == '"') path.remove_prefix(1);
    std::size_t bar = path.find('|');
    if (bar != std::string_view::npos) path = path.substr(0, bar);
    return folder_of(path);
}

} // namespace

int create_document(Workspace& ws, const std::string& path) {
    if (path.empty()) return -1;
    std::string folder = folder_for_current(path);
    if (!folder.empty()) ws.folders.current = folder;
    keep_pending_recovery(ws);
    leave_document_view(ws); // keeps the caret and scroll position of the one we leave

    Document document;
    document.file_name = file_name_of(path);
    document.path = path;
    document.line_end = line_end_of_mode(ws.settings.options.line_endings_mode);
    document.scintilla_doc = new_scintilla_document(ws.editor);
    ws.documents.documents.push_back(std::move(document));
    set_current_document(ws.documents, ws.documents.count() - 1);
    show_scintilla_document(ws.editor, ws.documents.documents.back().scintilla_doc);
    // The code page belongs to the Scintilla document, so each new one is told again.
    sci_set_code_page(ws.editor, Sci::SC_CP_UTF8);

    // One tab more, not the whole row again: opening many files stays in proportion to them.
    int position = ws.documents.count() - 1;
    if (ws.tab_bar) {
        TabBar& bar = ws.tab_bar->bar();
        position =
            tabbar_add_item(bar, tabbar_position_none, tab_caption(ws.documents.documents.back()));
        if (position >= 0) bar.items[position].tooltip = path;
    }
    select_tab(ws, position);
    show_document_status(ws.status_line, ws.editor, ws.documents.current_document());
    Q_EMIT ws.document_events.created(ws.documents.count() - 1);
    return position;
}

int new_document(Workspace& ws) {
    int index = create_document(ws, ws.folders.current + "untitled.bas");
    if (index < 0) return -1;
    scan_names(ws, index, {});
    // The intro text takes the line ends of new documents before the save point, so that a new
    // document never starts out modified.
    set_editor_text(ws, with_line_ends(ws.intro_text, ws.documents.documents[index].line_end),
                    true);
    mark_saved(ws.editor);
    Q_EMIT ws.document_events.view_options_wanted();
    refresh_label_list(ws, index);
    return index;
}

int activate_document(Workspace& ws, int index) {
    if (index < 0 || index >= ws.documents.count()) return index;
    keep_pending_recovery(ws);
    leave_document_view(ws);
    set_current_document(ws.documents, index);
    show_scintilla_document(ws.editor, ws.documents.documents[index].scintilla_doc);
    show_document_status(ws.status_line, ws.editor, ws.documents.current_document());
    enter_document_view(ws);
    Q_EMIT ws.document_events.line_end_changed();
    show_modified_state(ws);
    refresh_label_list(ws, index);
    return index;
}

int rebuild_tabs(Workspace& ws) {
    if (!ws.tab_bar) return ws.documents.count() - 1;
    TabBar& bar = ws.tab_bar->bar();
    tabbar_clear(bar);
    int last = -1;
    for (const Document& document : ws.documents.documents) {
        last = tabbar_add_item(bar, tabbar_position_none, tab_caption(document));
        if (last >= 0) describe_tab(bar.items[last], document);
    }
    ws.tab_bar->changed(); // one layout and repaint for the whole list
    return last;
}

void refresh_label_list(Workspace& ws, int index) {
    if (index >= 0 && index < ws.documents.count()) set_current_document(ws.documents, index);
    if (!ws.label_list) return;
    if (ws.settings.label_list_outline && ws.document_events.outline_drawn()) {
        Q_EMIT ws.document_events.outline_wanted();
        return;
    }
    std::vector<std::string> entries = label_list_entries(ws.documents.current_names);
    if (ws.settings.label_list_sorted)
        std::stable_sort(entries.begin(), entries.end(),
                         [](const std::string& a, const std::string& b) {
                             return QString::fromLatin1(a.data(), int(a.size()))
                                        .compare(QString::fromLatin1(b.data(), int(b.size())),
                                                 Qt::CaseInsensitive) < 0;
                         });
    // Refilling with the same items would only cost time and reset the list's scroll position.
    bool same = ws.label_list->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < ws.label_list->count(); ++i)
        same = ws.label_list->item(i)->text() ==
               QString::fromLatin1(entries[i].data(), int(entries[i].size()));
    if (same) return;
    ws.label_list->setUpdatesEnabled(false);
    ws.label_list->clear();
    for (const std::string& entry : entries)
        ws.label_list->addItem(QString::fromLatin1(entry.data(), int(entry.size())));
    ws.label_list->setUpdatesEnabled(true);
    fit_label_list_width(ws);
}

void fit_label_list_width(Workspace& ws) {
    if (!ws.splitter || ws.settings.label_list_sized || ws.splitter->count() != 2) return;
    const QFontMetrics metrics(ws.label_list->font());
    int widest = 0;
    for (int i = 0; i < ws.label_list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(ws.label_list->item(i)->text()));
    const QList<int> sizes = ws.splitter->sizes();
    // Room for the frame, the item's margins and a vertical scroll bar.
    const int scroll_bar = ws.label_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int wanted = widest + 2 * ws.label_list->frameWidth() + scroll_bar + 12;
    const int total = sizes[0] + sizes[1];
    // Names only ever widen the list, and never past a third of the window.
    const int width = std::min(wanted, total / 3);
    if (width <= sizes[1]) return;
    ws.splitter->setSizes({total - width, width});
}

int remove_document(Workspace& ws, int index) {
    if (index < 0 || index >= ws.documents.count()) return -1;
    // Closed: saved or given up, either way its recovery copy has served.
    forget_recovery(ws, index);
    stop_watching(ws, index);
    void* released = ws.documents.documents[index].scintilla_doc;
    bool was_shown = index == ws.documents.current;
    if (was_shown) {
        // The outgoing document's names leave the colouring words with it.
        leave_document_view(ws);
    }
    ws.documents.documents.erase(ws.documents.documents.begin() + index);
    set_current_document(ws.documents, -1);
    int last = rebuild_tabs(ws);
    int active;
    if (last >= 0) {
        active = activate_document(ws, last);
    } else {
        new_document(ws);
        active = ws.documents.count() - 1;
    }
    select_tab(ws, active);
    // Only now is the removed document no longer shown: drop the list's reference to it.
    if (released) sci_release_document(ws.editor, released);
    return active;
}

void remove_first_documents(Workspace& ws, int count) {
    count = std::min(count, ws.documents.count());
    if (count <= 0) return;
    if (ws.documents.current < count) leave_document_view(ws);
    std::vector<void*> released;
    std::vector<std::string> closed_paths;
    for (int i = 0; i < count; ++i) {
        forget_recovery(ws, i);
        released.push_back(ws.documents.documents[i].scintilla_doc);
        closed_paths.push_back(ws.documents.documents[i].path);
    }
    const int current = ws.documents.current;
    ws.documents.documents.erase(ws.documents.documents.begin(),
                                 ws.documents.documents.begin() + count);
    stop_watching_paths(ws, closed_paths);
    set_current_document(ws.documents, -1);
    int last = rebuild_tabs(ws);
    int active;
    if (last < 0) {
        new_document(ws);
        active = ws.documents.count() - 1;
    } else {
        active = activate_document(ws, current >= count ? current - count : last);
    }
    select_tab(ws, active);
    // Only now are the removed documents no longer shown.
    for (void* document : released)
        if (document) sci_release_document(ws.editor, document);
}

void set_editor_text(EditorRecord& record, QsciScintillaBase* editor, const Document* document,
                     std::string_view text, bool empty_undo) {
    if (!editor) return;
    const bool eight_bit = is_eight_bit(document);
    // Every line's new fold level asks for its margin to be redrawn; one repaint at the end
    // serves them all and saves tens of thousands of invalidations in a long program.
    QWidget* view = editor->viewport();
    const bool updates = view->updatesEnabled();
    view->setUpdatesEnabled(false);
    sci_set_text(editor, eight_bit ? bytes_to_utf8(text) : std::string(text));
    if (empty_undo) sci_empty_undo_buffer(editor);
    restyle_lines(record, editor, 0, -1, -1);
    view->setUpdatesEnabled(updates);
}

void set_editor_text(Workspace& ws, std::string_view text, bool empty_undo) {
    set_editor_text(*ws.editor_record, ws.editor, ws.documents.current_document(), text,
                    empty_undo);
}

bool is_eight_bit(const Document* document) {
    return !document || document->encoding == TextEncoding::latin1;
}

std::string document_text(QsciScintillaBase* editor, const Document* document) {
    if (!editor) return {};
    const bool eight_bit = is_eight_bit(document);
    return eight_bit ? utf8_to_bytes(sci_text(editor)) : sci_text(editor);
}

std::string document_text(Workspace& ws) {
    return document_text(ws.editor, ws.documents.current_document());
}

void mark_saved(QsciScintillaBase* editor) {
    sci_empty_undo_buffer(editor);
    sci_set_save_point(editor);
}

void select_tab(Workspace& ws, int position) {
    if (ws.tab_bar) ws.tab_bar->select(position);
}
