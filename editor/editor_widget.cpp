// The editing control's event hooks.
#include "editor/editor_widget.h"

#include "editor/sci.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMetaMethod>
#include <QMimeData>
#include <QPalette>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace {

bool has_local_files(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return false;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) return true;
    return false;
}

} // namespace

EditorWidget::EditorWidget(QWidget* parent) : QsciScintillaBase(parent) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

QVariant EditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query != Qt::ImSurroundingText && query != Qt::ImCursorPosition &&
        query != Qt::ImAnchorPosition)
        return QsciScintillaBase::inputMethodQuery(query);
    auto* self = const_cast<EditorWidget*>(this);
    const long caret = sci_current_pos(self);
    const long anchor = sci_anchor(self);
    const long line = sci_line_from_position(self, caret);
    const long start = sci_position_from_line(self, line);
    const long end = sci_line_end_position(self, line);
    const std::string text = sci_text_range(self, start, end);
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    // Offsets count UTF-16 units into the line; an anchor on another line is held to this one.
    auto offset = [&](long position) {
        const long within = std::clamp(position, start, end) - start;
        return static_cast<int>(QString::fromUtf8(bytes.constData(), within).size());
    };
    if (query == Qt::ImSurroundingText) return QString::fromUtf8(bytes);
    return offset(query == Qt::ImCursorPosition ? caret : anchor);
}

void EditorWidget::contextMenuEvent(QContextMenuEvent* event) {
    // Scintilla's own menu never shows; the program's context menu does.
    Q_EMIT context_menu_wanted(event->globalPos());
    event->accept();
}

void EditorWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (has_local_files(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    QsciScintillaBase::dragEnterEvent(event);
}

void EditorWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (has_local_files(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    QsciScintillaBase::dragMoveEvent(event);
}

void EditorWidget::dropEvent(QDropEvent* event) {
    if (!has_local_files(event->mimeData())) {
        QsciScintillaBase::dropEvent(event);
        return;
    }
    std::string paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        if (!paths.empty()) paths += '\n';
        paths += QFile::encodeName(url.toLocalFile()).toStdString();
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Q_EMIT files_dropped(paths);
}

QListWidget* EditorWidget::completion_list() const {
    const QList<QListWidget*> lists = findChildren<QListWidget*>();
    return lists.isEmpty() ? nullptr : lists.front();
}

// The look of the list's current item: the normal highlight once picked, none before, so the
// first item never looks chosen when Return would not take it.
void EditorWidget::show_completion_unpicked() {
    completion_item_picked_ = false;
    QListWidget* list = completion_list();
    if (!list) return;
    QPalette palette = QApplication::palette(list);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, palette.color(group, QPalette::Base));
        palette.setColor(group, QPalette::HighlightedText, palette.color(group, QPalette::Text));
    }
    list->setPalette(palette);
}

void EditorWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool return_key = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool list_open = sci_autoc_active(this);
    if (!list_open) completion_item_picked_ = false;
    if (list_open && plain &&
        (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown)) {
        completion_item_picked_ = true;
        if (QListWidget* list = completion_list()) list->setPalette(QApplication::palette(list));
    }
    // The completion list takes Return and Tab only for an item the user picked; otherwise the
    // key goes into the text as if the list were not there.
    if (list_open && plain && (return_key || key == Qt::Key_Tab) && !completion_item_picked_)
        sci_autoc_cancel(this);
    const bool chosen = list_open && completion_item_picked_ && (return_key || key == Qt::Key_Tab);
    if (plain && return_key && !chosen &&
        isSignalConnected(QMetaMethod::fromSignal(&EditorWidget::return_pressed))) {
        Q_EMIT return_pressed();
        event->accept();
        return;
    }
    if (key == Qt::Key_Space && event->modifiers() == Qt::ControlModifier &&
        isSignalConnected(QMetaMethod::fromSignal(&EditorWidget::completion_wanted))) {
        Q_EMIT completion_wanted();
        event->accept();
        return;
    }
    QsciScintillaBase::keyPressEvent(event);
}

void EditorWidget::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() != Qt::ControlModifier) {
        QsciScintillaBase::wheelEvent(event);
        return;
    }
    // Whole notches only; touchpads send small steps that add up.
    wheel_zoom_rest_ += event->angleDelta().y();
    while (wheel_zoom_rest_ >= 120) {
        sci_zoom_in(this);
        wheel_zoom_rest_ -= 120;
    }
    while (wheel_zoom_rest_ <= -120) {
        sci_zoom_out(this);
        wheel_zoom_rest_ += 120;
    }
    event->accept();
}

void EditorWidget::focusInEvent(QFocusEvent* event) {
    QsciScintillaBase::focusInEvent(event);
    Q_EMIT focus_gained();
}

void EditorWidget::focusOutEvent(QFocusEvent* event) {
    QsciScintillaBase::focusOutEvent(event);
    Q_EMIT focus_lost();
}
