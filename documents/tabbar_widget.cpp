// The tab bar widget: lays out and paints its record, forwards mouse events to the bar's handling.
#include "documents/tabbar_widget.h"

#include "documents/tabbar_paint.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>

namespace {

constexpr int wheel_notch = 120;
constexpr std::size_t max_remembered_widths = 8192;

QFont font_from(const std::string& description) {
    QFont font = QApplication::font();
    if (!description.empty()) font.fromString(QString::fromStdString(description));
    return font;
}

TabColour opaque(const QColor& colour) {
    return with_alpha(tabbar_colour_from(colour), 0xFF);
}

} // namespace

TabBarDefaults tabbar_defaults_from(const QPalette& palette, const QFont& font) {
    TabBarDefaults defaults;
    defaults.bar_colour = opaque(palette.color(QPalette::Active, QPalette::Button));
    defaults.face_colour = defaults.bar_colour;
    defaults.border_colour = opaque(palette.color(QPalette::Active, QPalette::Dark));
    defaults.text_colour = opaque(palette.color(QPalette::Active, QPalette::ButtonText));
    defaults.font = font.toString().toStdString();
    return defaults;
}

TabBarWidget::TabBarWidget(const TabBarDefaults& defaults, int x, int y, int width, int height,
                           unsigned flags, QWidget* parent)
    : QWidget(parent), bar_(tabbar_create(defaults, x, y, width, height, flags)),
      font_(font_from(defaults.font)), metrics_(font_) {
    measure_ = [this](std::string_view text) { return caption_width(text); };
    setGeometry(x, y, width, height);
    setFixedSize(width, height);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    changed();
}

// The program rebuilds every tab after each new or closed document, so widths of captions seen
// before are remembered here rather than measured again.
int TabBarWidget::caption_width(std::string_view text) {
    if (widths_.size() > max_remembered_widths) widths_.clear();
    const auto [entry, added] = widths_.try_emplace(std::string(text), 0);
    if (added) entry->second = metrics_.horizontalAdvance(tabbar_qstring(text));
    return entry->second;
}

int TabBarWidget::add_item(int position, const std::string& text, unsigned flags) {
    const int added = tabbar_add_item(bar_, position, text, flags);
    changed();
    return added;
}

void TabBarWidget::set_item_text(int position, const std::string& text) {
    tabbar_set_item_text(bar_, position, text);
    changed();
}

void TabBarWidget::select(int position) {
    tabbar_select(bar_, position);
    changed();
}

void TabBarWidget::clear() {
    tabbar_clear(bar_);
    changed();
}

// The layout waits for the next paint or mouse event, so a rebuild of many tabs lays out once.
void TabBarWidget::changed() {
    laid_out_ = false;
    update();
}

const TabBar& TabBarWidget::laid_out() {
    if (!laid_out_) {
        tabbar_layout(bar_, measure_);
        laid_out_ = true;
    }
    return bar_;
}

int TabBarWidget::handle_mouse(const TabMouseEvent& event) {
    laid_out();
    const int code = tabbar_handle_event(bar_, event, measure_);
    if (bar_.tooltip_shown != tooltip_applied_) {
        tooltip_applied_ = bar_.tooltip_shown;
        setToolTip(tabbar_qstring(tooltip_applied_));
    }
    update();
    if (code != tabbar_event_none && on_event) on_event(code, bar_.event_position);
    return code;
}

void TabBarWidget::paintEvent(QPaintEvent*) {
    laid_out();
    QPainter painter(this);
    paint_tabbar(painter, bar_, font_);
}

void TabBarWidget::resizeEvent(QResizeEvent*) {
    bar_.width = width();
    bar_.height = height();
    // A narrower bar may hide the selected tab: it is scrolled back into view.
    bar_.bring_into_view = true;
    changed();
}

void TabBarWidget::mouse(TabMouseKind kind, QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    handle_mouse(TabMouseEvent{kind, at.x(), at.y(), 0});
}

void TabBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouse(TabMouseKind::left_down, event);
    else if (event->button() == Qt::MiddleButton)
        mouse(TabMouseKind::middle_down, event);
    else
        mouse(TabMouseKind::move, event);
}

void TabBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouse(TabMouseKind::left_up, event);
    else if (event->button() == Qt::MiddleButton)
        mouse(TabMouseKind::middle_up, event);
    else
        mouse(TabMouseKind::move, event);
}

// Qt replaces the second press of a double-click by this event.
void TabBarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouse(TabMouseKind::double_click, event);
    else if (event->button() == Qt::MiddleButton)
        mouse(TabMouseKind::middle_down, event);
    else
        mouse(TabMouseKind::move, event);
}

void TabBarWidget::mouseMoveEvent(QMouseEvent* event) {
    if (drag_pressed_tab(event)) return;
    mouse(TabMouseKind::move, event);
}

// Reordering is not offered, so only a move out of the bar drags: a tab's file can be dropped on
// a panel or another program, while small moves over the bar stay clicks.
bool TabBarWidget::drag_pressed_tab(QMouseEvent* event) {
    const int pressed = bar_.pressed;
    if (!(event->buttons() & Qt::LeftButton) || !drag_data || bar_.close_pressed || pressed < 0 ||
        pressed >= count() || rect().contains(event->position().toPoint()))
        return false;
    QMimeData* data = drag_data(pressed);
    if (!data) return false;
    // The bar forgets the press first: the drag takes the button's release.
    handle_mouse(TabMouseEvent{TabMouseKind::left_up, -1, -1, 0});
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
    return true;
}

void TabBarWidget::wheelEvent(QWheelEvent* event) {
    wheel_rest_ += event->angleDelta().y();
    const int notches = wheel_rest_ / wheel_notch;
    wheel_rest_ -= notches * wheel_notch;
    if (notches == 0) return;
    const QPoint at = event->position().toPoint();
    handle_mouse(TabMouseEvent{TabMouseKind::wheel, at.x(), at.y(), notches});
}

void TabBarWidget::leaveEvent(QEvent*) {
    handle_mouse(TabMouseEvent{TabMouseKind::leave, -1, -1, 0});
}
