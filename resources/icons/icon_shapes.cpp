// Drawing the shared shapes of the pictures.
#include "icon_shapes.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <cmath>

QPen pen(const QColor& c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen square_pen(const QColor& c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

// A bar of text: whole units, so it fills whole pixels at every size.
void bar(QPainter& p, qreal x, qreal y, qreal w, qreal h, const QColor& c) {
    p.fillRect(QRectF(x, y, w, h), c);
}

// A sheet of paper with a folded top-right corner; the edges lie on half units.
void page(QPainter& p, qreal left, qreal top, qreal right, qreal bottom, qreal fold) {
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    p.setPen(square_pen(colour::ink_soft, 1));
    p.setBrush(colour::paper);
    p.drawPath(sheet);
    QPainterPath ear;
    ear.moveTo(right - fold, top);
    ear.lineTo(right - fold, top + fold);
    ear.lineTo(right, top + fold);
    p.setBrush(colour::paper_shade);
    p.drawPath(ear);
}

// An arrowhead with its tip at (x, y), pointing in the direction (dx, dy) (one of the axes).
void arrow_head(QPainter& p, qreal x, qreal y, int dx, int dy, qreal size, const QColor& c) {
    QPolygonF head;
    head << QPointF(x, y) << QPointF(x - dx * size - dy * size, y - dy * size - dx * size)
         << QPointF(x - dx * size + dy * size, y - dy * size + dx * size);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

// A floppy disk inside the given box (edges on half units).
void floppy(QPainter& p, qreal left, qreal top, qreal right, qreal bottom) {
    const qreal cut = 2;
    QPainterPath body;
    body.moveTo(left, top);
    body.lineTo(right - cut, top);
    body.lineTo(right, top + cut);
    body.lineTo(right, bottom);
    body.lineTo(left, bottom);
    body.closeSubpath();
    p.setPen(square_pen(colour::blue_dark, 1));
    p.setBrush(colour::blue);
    p.drawPath(body);
    const qreal width = right - left;
    const qreal height = bottom - top;
    // Metal shutter with its window.
    const qreal shutter_left = left + 2.5;
    const qreal shutter_right = right - 2.5;
    bar(p, shutter_left, top + 0.5, shutter_right - shutter_left, height * 0.32,
        colour::paper_shade);
    bar(p, shutter_right - 2.5, top + 1.5, 1.0, height * 0.32 - 2, colour::ink_soft);
    // Label.
    const qreal label_top = top + height * 0.55;
    bar(p, left + 1.5, label_top, width - 3, bottom - label_top - 0.5, colour::paper);
    bar(p, left + 2.5, label_top + 1.5, width - 5, 1, colour::line);
}

void magnifier(QPainter& p, qreal cx, qreal cy, qreal radius, qreal handle, qreal width) {
    p.setPen(pen(colour::ink, width * 1.6));
    const qreal reach = radius * 0.7071;
    p.drawLine(QPointF(cx + reach, cy + reach), QPointF(cx + reach + handle, cy + reach + handle));
    p.setPen(pen(colour::ink, width));
    p.setBrush(colour::blue_light);
    p.drawEllipse(QPointF(cx, cy), radius, radius);
}

// The bookmark ribbon between x and x + 6 (half units), from top to bottom.
void ribbon(QPainter& p, qreal x, qreal top, qreal bottom, qreal width) {
    QPainterPath r;
    r.moveTo(x, top);
    r.lineTo(x + width, top);
    r.lineTo(x + width, bottom);
    r.lineTo(x + width / 2, bottom - width / 2);
    r.lineTo(x, bottom);
    r.closeSubpath();
    p.setPen(square_pen(colour::blue_dark, 1));
    p.setBrush(colour::blue);
    p.drawPath(r);
}

// A vertical arrow for the bookmark jumps: shaft at x from y_from to y_to, head at y_to.
void jump_arrow(QPainter& p, qreal x, qreal y_from, qreal y_to) {
    const int dy = y_to > y_from ? 1 : -1;
    p.fillRect(QRectF(x - 1, std::min(y_from, y_to - dy * 3), 2, std::abs(y_to - y_from) - 3),
               colour::green);
    arrow_head(p, x, y_to, 0, dy, 3.5, colour::green);
}

// The italic "f" of a function, drawn in the box from (x, y), 9 units high.
void function_f(QPainter& p, qreal x, qreal y, const QColor& c) {
    QPainterPath f;
    f.moveTo(x + 7.5, y + 1.2);
    f.cubicTo(x + 6.5, y - 0.2, x + 4.6, y + 0.2, x + 4.3, y + 2.5);
    f.lineTo(x + 3.2, y + 10.5);
    f.cubicTo(x + 2.9, y + 12.6, x + 1.2, y + 12.8, x + 0.3, y + 11.8);
    p.setPen(pen(c, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(f);
    p.drawLine(QPointF(x + 1.8, y + 4.5), QPointF(x + 7.0, y + 4.5));
}

// Pixel digits 1 and 2, three units wide and five high, for the line-number picture.
namespace {

constexpr const char* digit_rows[2][5] = {{".#.", "##.", ".#.", ".#.", "###"},
                                          {"###", "..#", "###", "#..", "###"}};

} // namespace

void digit(QPainter& p, int value, qreal x, qreal y, const QColor& c) {
    for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 3; ++col)
            if (digit_rows[value - 1][r][col] == '#') bar(p, x + col, y + r, 1, 1, c);
}
