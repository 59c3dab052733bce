// The document list's lifecycle: creation, activation, tabs and the label list.
#include "documents/document_commands.h"

#include "app/app.h"
#include "app/view_commands.h"
#include "base/folders.h"
#include "base/text_conversion.h"
#include "documents/disk_watch.h"
#include "documents/name_scan.h"
#include "documents/navigation.h"
#include "documents/recovery.h"
#include "documents/status_line.h"
#include "documents/tab_state.h"
#include "documents/tabbar_widget.h"
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

int create_document(App& app, const std::string& path) {
    if (path.empty()) return -1;
    std::string folder = folder_for_current(path);
    if (!folder.empty()) app.folders.current = folder;
    keep_pending_recovery(app);
    leave_document_view(app); // keeps the caret and scroll position of the one we leave

    Document document;
    document.file_name = file_name_of(path);
    document.path = path;
    document.line_end = line_end_of_mode(app.settings.options.line_endings_mode);
    document.scintilla_doc = new_scintilla_document(app.editor);
    app.documents.documents.push_back(std::move(document));
    set_current_document(app.documents, app.documents.count() - 1);
    show_scintilla_document(app.editor, app.documents.documents.back().scintilla_doc);
    // The code page belongs to the Scintilla document, so each new one is told again.
    sci_set_code_page(app.editor, Sci::SC_CP_UTF8);

    // One tab more, not the whole row again: opening many files stays in proportion to them.
    int position = app.documents.count() - 1;
    if (app.tab_bar) {
        TabBar& bar = app.tab_bar->bar();
        position =
            tabbar_add_item(bar, tabbar_position_none, tab_caption(app.documents.documents.back()));
        if (position >= 0) bar.items[position].tooltip = path;
    }
    select_tab(app, position);
    show_document_status(app.status_line, app.editor, app.documents.current_document());
    if (app.documents.on_created) app.documents.on_created(app.documents.count() - 1);
    return position;
}

int new_document(App& app) {
    int index = create_document(app, app.folders.current + "untitled.bas");
    if (index < 0) return -1;
    scan_names(app, index, {});
    // The intro text takes the line ends of new documents before the save point, so that a new
    // document never starts out modified.
    set_editor_text(app, with_line_ends(app.intro_text, app.documents.documents[index].line_end),
                    true);
    mark_saved(app.editor);
    apply_view_options(app);
    refresh_label_list(app, index);
    return index;
}

int activate_document(App& app, int index) {
    if (index < 0 || index >= app.documents.count()) return index;
    keep_pending_recovery(app);
    leave_document_view(app);
    set_current_document(app.documents, index);
    show_scintilla_document(app.editor, app.documents.documents[index].scintilla_doc);
    show_document_status(app.status_line, app.editor, app.documents.current_document());
    enter_document_view(app);
    show_document_line_end(app);
    show_modified_state(app);
    refresh_label_list(app, index);
    return index;
}

int rebuild_tabs(App& app) {
    if (!app.tab_bar) return app.documents.count() - 1;
    TabBar& bar = app.tab_bar->bar();
    tabbar_clear(bar);
    int last = -1;
    for (const Document& document : app.documents.documents) {
        last = tabbar_add_item(bar, tabbar_position_none, tab_caption(document));
        if (last >= 0) describe_tab(bar.items[last], document);
    }
    app.tab_bar->changed(); // one layout and repaint for the whole list
    return last;
}

void refresh_label_list(App& app, int index) {
    if (index >= 0 && index < app.documents.count()) set_current_document(app.documents, index);
    if (!app.label_list) return;
    if (app.settings.label_list_outline && app.show_outline) {
        app.show_outline(app);
        return;
    }
    std::vector<std::string> entries = label_list_entries(app.documents.current_names);
    if (app.settings.label_list_sorted)
        std::stable_sort(entries.begin(), entries.end(),
                         [](const std::string& a, const std::string& b) {
                             return QString::fromLatin1(a.data(), int(a.size()))
                                        .compare(QString::fromLatin1(b.data(), int(b.size())),
                                                 Qt::CaseInsensitive) < 0;
                         });
    // Refilling with the same items would only cost time and reset the list's scroll position.
    bool same = app.label_list->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < app.label_list->count(); ++i)
        same = app.label_list->item(i)->text() ==
               QString::fromLatin1(entries[i].data(), int(entries[i].size()));
    if (same) return;
    app.label_list->setUpdatesEnabled(false);
    app.label_list->clear();
    for (const std::string& entry : entries)
        app.label_list->addItem(QString::fromLatin1(entry.data(), int(entry.size())));
    app.label_list->setUpdatesEnabled(true);
    fit_label_list_width(app);
}

void fit_label_list_width(App& app) {
    if (!app.splitter || app.settings.label_list_sized || app.splitter->count() != 2) return;
    const QFontMetrics metrics(app.label_list->font());
    int widest = 0;
    for (int i = 0; i < app.label_list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(app.label_list->item(i)->text()));
    const QList<int> sizes = app.splitter->sizes();
    // Room for the frame, the item's margins and a vertical scroll bar.
    const int scroll_bar = app.label_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int wanted = widest + 2 * app.label_list->frameWidth() + scroll_bar + 12;
    const int total = sizes[0] + sizes[1];
    // Names only ever widen the list, and never past a third of the window.
    const int width = std::min(wanted, total / 3);
    if (width <= sizes[1]) return;
    app.splitter->setSizes({total - width, width});
}

int remove_document(App& app, int index) {
    if (index < 0 || index >= app.documents.count()) return -1;
    // Closed: saved or given up, either way its recovery copy has served.
    forget_recovery(app, index);
    stop_watching(app, index);
    void* released = app.documents.documents[index].scintilla_doc;
    bool was_shown = index == app.documents.current;
    if (was_shown) {
        // The outgoing document's names leave the colouring words with it.
        leave_document_view(app);
    }
    app.documents.documents.erase(app.documents.documents.begin() + index);
    set_current_document(app.documents, -1);
    int last = rebuild_tabs(app);
    int active;
    if (last >= 0) {
        active = activate_document(app, last);
    } else {
        new_document(app);
        active = app.documents.count() - 1;
    }
    select_tab(app, active);
    // Only now is the removed document no longer shown: drop the list's reference to it.
    if (released) sci_release_document(app.editor, released);
    return active;
}

void remove_first_documents(App& app, int count) {
    count = std::min(count, app.documents.count());
    if (count <= 0) return;
    if (app.documents.current < count) leave_document_view(app);
    std::vector<void*> released;
    std::vector<std::string> closed_paths;
    for (int i = 0; i < count; ++i) {
        forget_recovery(app, i);
        released.push_back(app.documents.documents[i].scintilla_doc);
        closed_paths.push_back(app.documents.documents[i].path);
    }
    const int current = app.documents.current;
    app.documents.documents.erase(app.documents.documents.begin(),
                                  app.documents.documents.begin() + count);
    stop_watching_paths(app, closed_paths);
    set_current_document(app.documents, -1);
    int last = rebuild_tabs(app);
    int active;
    if (last < 0) {
        new_document(app);
        active = app.documents.count() - 1;
    } else {
        active = activate_document(app, current >= count ? current - count : last);
    }
    select_tab(app, active);
    // Only now are the removed documents no longer shown.
    for (void* document : released)
        if (document) sci_release_document(app.editor, document);
}

void set_editor_text(EditorRecord& record, QsciScintillaBase* editor, const Document* document,
                     std::string_view text, bool empty_undo) {
    if (!editor) return;
    const bool eight_bit = !document || document->encoding == TextEncoding::latin1;
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

void set_editor_text(App& app, std::string_view text, bool empty_undo) {
    set_editor_text(*app.editor_record, app.editor, app.documents.current_document(), text,
                    empty_undo);
}

bool is_eight_bit(App& app) {
    const Document* document = app.documents.current_document();
    return !document || document->encoding == TextEncoding::latin1;
}

std::string document_text(QsciScintillaBase* editor, const Document* document) {
    if (!editor) return {};
    const bool eight_bit = !document || document->encoding == TextEncoding::latin1;
    return eight_bit ? utf8_to_bytes(sci_text(editor)) : sci_text(editor);
}

std::string document_text(App& app) {
    return document_text(app.editor, app.documents.current_document());
}

void mark_saved(QsciScintillaBase* editor) {
    sci_empty_undo_buffer(editor);
    sci_set_save_point(editor);
}

void select_tab(App& app, int position) {
    if (!app.tab_bar) return;
    tabbar_select(app.tab_bar->bar(), position);
    app.tab_bar->changed();
}

void set_tab_text(App& app, int position, const std::string& text) {
    if (!app.tab_bar) return;
    tabbar_set_item_text(app.tab_bar->bar(), position, text);
    app.tab_bar->changed();
}
