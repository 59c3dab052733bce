// Painting the console screen and turning keys into bytes.
#include "device/terminal_view.h"

#include "device/terminal_screen.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// The sixteen console colours: the eight ANSI ones, then their bright forms.
const QColor palette_colours[16] = {{0, 0, 0},       {205, 0, 0},   {0, 205, 0},   {205, 205, 0},
                                    {0, 0, 238},     {205, 0, 205}, {0, 205, 205}, {229, 229, 229},
                                    {127, 127, 127}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                    {92, 92, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
const QColor default_fore(220, 220, 220);
const QColor default_back(16, 16, 16);

QColor fore_of(const CellStyle& s) {
    QColor c = s.fg < 16 ? palette_colours[s.fg] : default_fore;
    if (s.bold && s.fg < 8) c = palette_colours[s.fg + 8];
    return c;
}
QColor back_of(const CellStyle& s) {
    return s.bg < 16 ? palette_colours[s.bg] : default_back;
}

} // namespace

QByteArray key_bytes(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "\r";
    case Qt::Key_Backspace:
        return "\b";
    case Qt::Key_Tab:
        return "\t";
    case Qt::Key_Escape:
        return "\x1b";
    case Qt::Key_Up:
        return "\x1b[A";
    case Qt::Key_Down:
        return "\x1b[B";
    case Qt::Key_Right:
        return "\x1b[C";
    case Qt::Key_Left:
        return "\x1b[D";
    case Qt::Key_Home:
        return "\x1b[1~";
    case Qt::Key_Insert:
        return "\x1b[2~";
    case Qt::Key_Delete:
        return "\x1b[3~";
    case Qt::Key_End:
        return "\x1b[4~";
    case Qt::Key_PageUp:
        return "\x1b[5~";
    case Qt::Key_PageDown:
        return "\x1b[6~";
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        // The numbers skip 16 and 22, as on a VT220.
        static constexpr const char* function_keys[12] = {
            "\x1b[11~", "\x1b[12~", "\x1b[13~", "\x1b[14~", "\x1b[15~", "\x1b[17~",
            "\x1b[18~", "\x1b[19~", "\x1b[20~", "\x1b[21~", "\x1b[23~", "\x1b[24~"};
        return function_keys[key - Qt::Key_F1];
    }
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QByteArray(1, static_cast<char>(key - Qt::Key_A + 1));
    QByteArray out;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() <= 0xFF && c.unicode() != 0x7F)
            out.append(static_cast<char>(c.unicode()));
    return out;
}

TerminalView::TerminalView(TerminalScreen& screen, QWidget* parent)
    : QAbstractScrollArea(parent), screen_(screen) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(font);
    QFontMetrics metrics(font);
    char_width_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
    line_height_ = std::max(1, metrics.height());
    ascent_ = metrics.ascent();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    update_scroll_range(true);
}

int TerminalView::visible_rows() const {
    return std::max(1, viewport()->height() / line_height_);
}

int TerminalView::visible_columns() const {
    return std::max(1, viewport()->width() / char_width_);
}

void TerminalView::report_size() {
    if (on_size && isVisible()) on_size(visible_columns(), visible_rows());
}

void TerminalView::update_scroll_range(bool follow) {
    QScrollBar* bar = verticalScrollBar();
    bool at_end = bar->value() >= bar->maximum();
    int maximum = std::max(0, static_cast<int>(screen_.line_count()) - visible_rows());
    bar->setRange(0, maximum);
    bar->setPageStep(visible_rows());
    if (follow || at_end) bar->setValue(maximum);
    horizontalScrollBar()->setRange(
        0, std::max(0, screen_.columns() * char_width_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void TerminalView::refresh() {
    if (screen_.version() == shown_version_) return;
    shown_version_ = screen_.version();
    update_scroll_range(false);
    viewport()->update();
}

void TerminalView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    report_size();
    update_scroll_range(true);
}

void TerminalView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    report_size();
    update_scroll_range(true);
}

long TerminalView::line_at(int y) const {
    long line = verticalScrollBar()->value() + y / line_height_;
    return std::clamp<long>(line, 0, static_cast<long>(screen_.line_count()) - 1);
}

void TerminalView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), default_back);
    painter.setFont(font());
    const int first = verticalScrollBar()->value();
    const int left = -horizontalScrollBar()->value();
    const long count = static_cast<long>(screen_.line_count());
    const long selection_first = std::min(selection_anchor_, selection_end_);
    const long selection_last = std::max(selection_anchor_, selection_end_);
    for (int row = 0; row <= visible_rows(); ++row) {
        long index = first + row;
        if (index >= count) break;
        const int y = row * line_height_;
        bool selected = selection_first >= 0 && index >= selection_first && index <= selection_last;
        if (selected)
            painter.fillRect(0, y, viewport()->width(), line_height_, palette().highlight());
        const ScreenLine& line = screen_.line(static_cast<std::size_t>(index));
        // Runs of one style are drawn as one piece of text.
        std::size_t start = 0;
        while (start < line.size()) {
            std::size_t end = start + 1;
            while (end < line.size() && line[end].style == line[start].style) ++end;
            const CellStyle& style = line[start].style;
            QColor fore = fore_of(style), back = back_of(style);
            if (style.reverse) std::swap(fore, back);
            if (selected) fore = palette().highlightedText().color();
            const int x = left + static_cast<int>(start) * char_width_;
            const int width = static_cast<int>(end - start) * char_width_;
            if (!selected && back != default_back)
                painter.fillRect(x, y, width, line_height_, back);
            QString text;
            text.reserve(static_cast<int>(end - start));
            for (std::size_t i = start; i < end; ++i) text.append(QChar(line[i].ch));
            painter.setPen(fore);
            QFont f = font();
            f.setBold(style.bold);
            painter.setFont(f);
            painter.drawText(x, y + ascent_, text);
            start = end;
        }
    }
    // The cursor, when its line is in view.
    long cursor_line = static_cast<long>(screen_.first_screen_line()) + screen_.cursor_row();
    if (screen_.cursor_visible() && cursor_line >= first &&
        cursor_line < first + visible_rows() + 1) {
        QRect cursor(left + screen_.cursor_column() * char_width_,
                     static_cast<int>(cursor_line - first) * line_height_, char_width_,
                     line_height_);
        if (hasFocus())
            painter.fillRect(cursor, QColor(200, 200, 200, 160));
        else
            painter.drawRect(cursor.adjusted(0, 0, -1, -1));
    }
}

void TerminalView::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers();
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_C) {
        copy();
        return;
    }
    // Shift+PgUp/PgDn page through the scrollback, as in other terminals; the board never
    // sees them.
    if (modifiers == Qt::ShiftModifier &&
        (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)) {
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp
                                               ? QAbstractSlider::SliderPageStepSub
                                               : QAbstractSlider::SliderPageStepAdd);
        return;
    }
    QByteArray bytes = key_bytes(event->key(), modifiers, event->text());
    if (bytes.isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    clear_selection();
    // Typing goes where the typed text shows: back to the screen.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    if (on_bytes) on_bytes(bytes);
}

bool TerminalView::focusNextPrevChild(bool) {
    return false; // Tab belongs to the board
}

void TerminalView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) return;
    selection_anchor_ = selection_end_ = line_at(static_cast<int>(event->position().y()));
    viewport()->update();
}

void TerminalView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || selection_anchor_ < 0) return;
    selection_end_ = line_at(static_cast<int>(event->position().y()));
    viewport()->update();
}

void TerminalView::clear_selection() {
    if (selection_anchor_ < 0) return;
    selection_anchor_ = selection_end_ = -1;
    viewport()->update();
}

QString TerminalView::selected_text() const {
    if (screen_.line_count() == 0) return {};
    std::size_t first = 0, last = screen_.line_count() - 1;
    if (selection_anchor_ >= 0) {
        first = static_cast<std::size_t>(std::min(selection_anchor_, selection_end_));
        last = static_cast<std::size_t>(std::max(selection_anchor_, selection_end_));
    } else {
        // Everything, without the empty lines of the screen below the last text.
        while (last > 0 && screen_.line_text(last).empty()) --last;
    }
    return QString::fromStdString(screen_.text(first, last));
}

void TerminalView::copy() const {
    QApplication::clipboard()->setText(selected_text());
}
