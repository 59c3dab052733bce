// The editing control's state behind the Edit and Font menus.
#include "editor/edit_commands.h"

#include "editor/sci.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace {

// Scintilla keeps the zoom between -10 and +20 points.
constexpr int min_zoom = -10;
constexpr int max_zoom = 20;

} // namespace

bool editor_has_selection(QsciScintillaBase* editor) {
    return editor && sci_selection_empty(editor) == 0;
}

bool editor_can_paste(QsciScintillaBase* editor) {
    if (!editor || sci_read_only(editor)) return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

int set_editor_zoom(QsciScintillaBase* editor, int zoom) {
    zoom = std::clamp(zoom, min_zoom, max_zoom);
    sci_set_zoom(editor, zoom);
    return zoom;
}
