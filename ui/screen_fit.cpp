// Fitting a stored window placement to the screens there are now.
#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

QSize sane_size(int width, int height) {
    // Negative or tiny sizes from a damaged settings file still give a usable window.
    return {std::clamp(width, 200, 20000), std::clamp(height, 150, 20000)};
}

} // namespace

QRect fit_on_screen(int x, int y, int width, int height, QSize default_size) {
    constexpr int far_away = 1000000;
    return fit_on_screen(QRect(std::clamp(x, -far_away, far_away),
                               std::clamp(y, -far_away, far_away), std::clamp(width, 0, far_away),
                               std::clamp(height, 0, far_away)),
                         default_size);
}

QRect fit_on_screen(QRect wanted, QSize default_size) {
    // Far beyond any screen either way: clamping first keeps the rectangle arithmetic from
    // overflowing on values such as 2147483647.
    constexpr int far_away = 1000000;
    QPoint at(std::clamp(wanted.x(), -far_away, far_away),
              std::clamp(wanted.y(), -far_away, far_away));
    QSize size = sane_size(wanted.width(), wanted.height());
    // The screen that shows most of it; the primary one when none shows any.
    QScreen* best = nullptr;
    long best_area = 0;
    const QRect rect(at, size);
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(rect);
        const long area = shown.isEmpty() ? 0 : long(shown.width()) * shown.height();
        if (area > best_area) {
            best = screen;
            best_area = area;
        }
    }
    if (!best) {
        best = QGuiApplication::primaryScreen();
        if (!best) return rect;
        at = best->availableGeometry().topLeft() + QPoint(100, 100);
    }
    const QRect area = best->availableGeometry();
    size = size.boundedTo(area.size().expandedTo(default_size));
    // The top left corner, where the title and the menus are, always on the screen.
    at.setX(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    at.setY(
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    return QRect(at, size);
}
