// The shapes and colours the toolbar pictures and the application icon are drawn from, on a grid
// of units: one-unit lines sit on half units and bars on whole units, so they stay sharp.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

namespace colour {
inline const QColor ink(0x37, 0x47, 0x4f);
inline const QColor ink_soft(0x78, 0x90, 0x9c);
inline const QColor paper(0xff, 0xff, 0xff);
inline const QColor paper_shade(0xcf, 0xd8, 0xdc);
inline const QColor line(0x90, 0xa4, 0xae);
inline const QColor blue(0x1e, 0x88, 0xe5);
inline const QColor blue_dark(0x15, 0x65, 0xc0);
inline const QColor blue_light(0xbb, 0xde, 0xfb);
inline const QColor green(0x43, 0xa0, 0x47);
inline const QColor green_dark(0x2e, 0x7d, 0x32);
inline const QColor yellow(0xff, 0xca, 0x28);
inline const QColor folder_back(0xf9, 0xa8, 0x25);
inline const QColor folder_edge(0xc6, 0x7c, 0x00);
inline const QColor orange(0xfb, 0x8c, 0x00);
inline const QColor red(0xe5, 0x39, 0x35);
inline const QColor purple(0x8e, 0x24, 0xaa);
inline const QColor terminal(0x26, 0x32, 0x38);
} // namespace colour

QPen pen(const QColor& c, qreal width);
QPen square_pen(const QColor& c, qreal width);
// A bar of text: whole units, so it fills whole pixels at every size.
void bar(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& c);
// A sheet of paper with a folded top-right corner; the edges lie on half units.
void page(QPainter& p, qreal left, qreal top, qreal right, qreal bottom, qreal fold);
// An arrowhead with its tip at (x, y), pointing in the direction (dx, dy) (one of the axes).
void arrow_head(QPainter& p, qreal x, qreal y, int dx, int dy, qreal size, const QColor& c);
// A floppy disk inside the given box (edges on half units).
void floppy(QPainter& p, qreal left, qreal top, qreal right, qreal bottom);
// A magnifying glass: the lens around (cx, cy), its handle towards the bottom right.
void magnifier(QPainter& p, qreal cx, qreal cy, qreal radius, qreal handle, qreal width);
// The bookmark ribbon between x and x + 6 (half units), from top to bottom.
void ribbon(QPainter& p, qreal x, qreal top, qreal bottom, qreal width);
// A vertical arrow for the bookmark jumps: shaft at x from y_from to y_to, head at y_to.
void jump_arrow(QPainter& p, qreal x, qreal y_from, qreal y_to);
// The italic "f" of a function, drawn in the box from (x, y), 9 units high.
void function_f(QPainter& p, qreal x, qreal y, const QColor& c);
// The pixel digit 1 or 2 (`value`), three units wide and five high, from (x, y).
void digit(QPainter& p, int value, qreal x, qreal y, const QColor& c);
