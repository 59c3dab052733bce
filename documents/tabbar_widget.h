// The tab bar's drawing surface: holds the bar record, paints it and turns mouse events into
// tab bar event codes.
#pragma once

#include "documents/tabbar.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

class QMimeData;
class QPalette;

// The look taken from the system: button face for the bar and the tabs, the darker shade for
// outlines, the button text colour, and the given font.
TabBarDefaults tabbar_defaults_from(const QPalette& palette, const QFont& font);

class TabBarWidget : public QWidget {
  public:
    // A bar of fixed size at (x, y) of its parent, with the flags of its record; the owner
    // resizes it with the window (setFixedSize).
    TabBarWidget(const TabBarDefaults& defaults, int x, int y, int width, int height,
                 unsigned flags, QWidget* parent = nullptr);

    // The record operations, each followed by a new layout and a repaint.
    int add_item(int position, const std::string& text, unsigned flags = 0);
    void set_item_text(int position, const std::string& text);
    void select(int position);
    void clear();
    int event_item() const { return tabbar_event_item(bar_); }
    int count() const { return int(bar_.items.size()); }

    // Direct access to the record; call changed() after editing it.
    TabBar& bar() { return bar_; }
    void changed();
    // The record as laid out for the current items (for hit positions and painting).
    const TabBar& laid_out();
    const QFont& caption_font() const { return font_; }

    // Handles one mouse event exactly as the surface's own events do; returns the event code.
    int handle_mouse(const TabMouseEvent& event);

    // Told of every event that asks the program to act: new (1), close (2), change (3).
    std::function<void(int code, int position)> on_event;
    // What a tab carries when it is dragged out of the bar (its file, for a drop elsewhere);
    // null or an empty answer: the tab is not dragged.
    std::function<QMimeData*(int position)> drag_data;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void mouse(TabMouseKind kind, QMouseEvent* event);
    // Starts dragging the pressed tab once the mouse has left the bar with the button down.
    bool drag_pressed_tab(QMouseEvent* event);
    int caption_width(std::string_view text);

    TabBar bar_;
    QFont font_;
    QFontMetrics metrics_;
    TextMeasure measure_;
    bool laid_out_ = false;
    int wheel_rest_ = 0; // angle not yet a whole notch (fine-grained wheels and touchpads)
    std::string tooltip_applied_;
    std::unordered_map<std::string, int> widths_; // measured captions
};
