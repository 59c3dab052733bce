// Draws the toolbar images (16 x 16 and 32 x 32 "@2x") and the 64 x 64 application icon as PNGs,
// and the application icon in the icon theme's sizes from 16 to 256 pixels.
//
// Every toolbar picture is drawn on a 16-unit grid and scaled to the output size. One-unit
// lines sit on half units and two-unit bars on whole units, so both sizes land on whole
// pixels and stay sharp. Usage: make_icons [output folder]; by default the icons folder of
// the source tree.
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

namespace colour {
const QColor ink(0x37, 0x47, 0x4f);
const QColor ink_soft(0x78, 0x90, 0x9c);
const QColor paper(0xff, 0xff, 0xff);
const QColor paper_shade(0xcf, 0xd8, 0xdc);
const QColor line(0x90, 0xa4, 0xae);
const QColor blue(0x1e, 0x88, 0xe5);
const QColor blue_dark(0x15, 0x65, 0xc0);
const QColor blue_light(0xbb, 0xde, 0xfb);
const QColor green(0x43, 0xa0, 0x47);
const QColor green_dark(0x2e, 0x7d, 0x32);
const QColor yellow(0xff, 0xca, 0x28);
const QColor folder_back(0xf9, 0xa8, 0x25);
const QColor folder_edge(0xc6, 0x7c, 0x00);
const QColor orange(0xfb, 0x8c, 0x00);
const QColor red(0xe5, 0x39, 0x35);
const QColor purple(0x8e, 0x24, 0xaa);
const QColor terminal(0x26, 0x32, 0x38);
} // namespace colour

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
constexpr const char* digit_rows[2][5] = {{".#.", "##.", ".#.", ".#.", "###"},
                                          {"###", "..#", "###", "#..", "###"}};

void digit(QPainter& p, int value, qreal x, qreal y, const QColor& c) {
    for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 3; ++col)
            if (digit_rows[value - 1][r][col] == '#') bar(p, x + col, y + r, 1, 1, c);
}

// --- The toolbar pictures, on the 16-unit grid ---------------------------------------------

void draw_new(QPainter& p) {
    page(p, 2.5, 0.5, 12.5, 15.5, 4);
    bar(p, 4, 6, 6, 1, colour::line);
    bar(p, 4, 8, 4, 1, colour::line);
    p.setPen(pen(colour::paper, 1));
    p.setBrush(colour::green);
    p.drawEllipse(QPointF(12, 12), 4, 4);
    bar(p, 10, 11, 4, 2, colour::paper);
    bar(p, 11, 10, 2, 4, colour::paper);
}

void draw_open(QPainter& p) {
    QPainterPath back;
    back.moveTo(0.5, 2.5);
    back.lineTo(5.5, 2.5);
    back.lineTo(7.5, 4.5);
    back.lineTo(13.5, 4.5);
    back.lineTo(13.5, 13.5);
    back.lineTo(0.5, 13.5);
    back.closeSubpath();
    p.setPen(square_pen(colour::folder_edge, 1));
    p.setBrush(colour::folder_back);
    p.drawPath(back);
    bar(p, 3, 5.5, 9, 3, colour::paper);
    QPainterPath front;
    front.moveTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(0.5, 13.5);
    front.closeSubpath();
    p.setBrush(colour::yellow);
    p.drawPath(front);
}

void draw_save(QPainter& p) {
    floppy(p, 1.5, 1.5, 14.5, 14.5);
}

void draw_save_as(QPainter& p) {
    floppy(p, 0.5, 0.5, 11.5, 11.5);
    // Pencil across the lower right corner, with a light rim to part it from the disk.
    const QPointF tip(6.0, 15.0);
    const QPointF end(15.0, 6.0);
    p.setPen(QPen(colour::paper, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tip + QPointF(0.8, -0.8), end);
    p.setPen(QPen(colour::orange, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tip + QPointF(2.2, -2.2), end);
    p.setPen(QPen(colour::red, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(end + QPointF(-1.6, 1.6), end);
    QPolygonF point;
    point << tip << tip + QPointF(0.6, -3.2) << tip + QPointF(3.2, -0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::paper_shade);
    p.drawPolygon(point);
    point.clear();
    point << tip << tip + QPointF(0.25, -1.3) << tip + QPointF(1.3, -0.25);
    p.setBrush(colour::ink);
    p.drawPolygon(point);
}

void draw_print(QPainter& p) {
    // Sheet going in at the top.
    p.setPen(square_pen(colour::ink_soft, 1));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(3.5, 0.5, 9, 6));
    // Body.
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, 5.5, 15, 7), 1.5, 1.5);
    p.setPen(square_pen(colour::ink, 1));
    p.setBrush(colour::ink_soft);
    p.drawPath(body);
    bar(p, 12, 7, 2, 1, colour::green);
    // Printed sheet coming out.
    p.setPen(square_pen(colour::ink_soft, 1));
    p.setBrush(colour::paper);
    p.drawRect(QRectF(3.5, 9.5, 9, 6));
    bar(p, 5, 11, 6, 1, colour::line);
    bar(p, 5, 13, 4, 1, colour::line);
}

void draw_find(QPainter& p) {
    magnifier(p, 6.5, 6.5, 4.5, 5.0, 1.5);
}

void draw_line_numbers(QPainter& p) {
    digit(p, 1, 0, 2, colour::blue);
    digit(p, 2, 0, 9, colour::blue);
    bar(p, 4, 0, 1, 16, colour::paper_shade);
    bar(p, 6, 3, 9, 2, colour::ink_soft);
    bar(p, 6, 10, 6, 2, colour::ink_soft);
}

void draw_line_endings(QPainter& p) {
    bar(p, 1, 2, 8, 2, colour::ink_soft);
    bar(p, 1, 13, 5, 2, colour::ink_soft);
    // The return arrow: down the right side, then back to the left.
    bar(p, 12, 2, 2, 8, colour::blue);
    bar(p, 6, 8, 8, 2, colour::blue);
    arrow_head(p, 2, 9, -1, 0, 4, colour::blue);
}

void draw_white_space(QPainter& p) {
    bar(p, 0, 2, 4, 2, colour::ink_soft);
    bar(p, 6, 2, 2, 2, colour::blue);
    bar(p, 10, 2, 6, 2, colour::ink_soft);
    bar(p, 0, 7, 6, 2, colour::ink_soft);
    bar(p, 8, 7, 2, 2, colour::blue);
    bar(p, 12, 7, 4, 2, colour::ink_soft);
    // A tab arrow in front of indented text.
    bar(p, 0, 12, 5, 2, colour::blue);
    arrow_head(p, 8, 13, 1, 0, 3, colour::blue);
    bar(p, 10, 12, 6, 2, colour::ink_soft);
}

void draw_syntax_colour(QPainter& p) {
    bar(p, 0, 1, 5, 2, colour::blue);
    bar(p, 7, 1, 8, 2, colour::orange);
    bar(p, 3, 5, 5, 2, colour::purple);
    bar(p, 10, 5, 6, 2, colour::green);
    bar(p, 3, 9, 9, 2, colour::red);
    bar(p, 0, 13, 6, 2, colour::blue);
    bar(p, 8, 13, 4, 2, colour::green);
}

void draw_upper_case(QPainter& p) {
    QPainterPath letter;
    letter.moveTo(1.0, 14.5);
    letter.lineTo(5.5, 1.5);
    letter.lineTo(10.0, 14.5);
    p.setPen(QPen(colour::ink, 2.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(letter);
    bar(p, 3, 9, 5, 2, colour::ink);
    // Up arrow: make capitals.
    bar(p, 12, 7, 2, 8, colour::blue);
    arrow_head(p, 13, 2, 0, -1, 3, colour::blue);
}

void draw_indent_guides(QPainter& p) {
    bar(p, 0, 1, 9, 2, colour::ink_soft);
    bar(p, 4, 5, 10, 2, colour::ink_soft);
    bar(p, 8, 9, 8, 2, colour::ink_soft);
    bar(p, 4, 13, 7, 2, colour::ink_soft);
    for (int y = 4; y < 16; y += 2) bar(p, 1, y, 1, 1, colour::blue);
    for (int y = 8; y < 12; y += 2) bar(p, 5, y, 1, 1, colour::blue);
}

void draw_auto_indent(QPainter& p) {
    bar(p, 0, 1, 11, 2, colour::ink_soft);
    // Bent arrow from the line above to the indented start of the next line.
    bar(p, 2, 5, 2, 7, colour::blue);
    bar(p, 2, 10, 4, 2, colour::blue);
    arrow_head(p, 9, 11, 1, 0, 3, colour::blue);
    bar(p, 10, 10, 6, 2, colour::ink_soft);
    bar(p, 10, 14, 4, 2, colour::ink_soft);
}

void draw_format(QPainter& p) {
    bar(p, 0, 2, 7, 2, colour::blue);
    bar(p, 3, 6, 8, 2, colour::ink_soft);
    bar(p, 3, 10, 6, 2, colour::ink_soft);
    bar(p, 0, 14, 5, 2, colour::blue);
    // A sparkle: the text has been tidied.
    QPainterPath star;
    const QPointF c(12.5, 4.0);
    const qreal outer = 3.5;
    const qreal inner = 1.0;
    star.moveTo(c.x(), c.y() - outer);
    star.lineTo(c.x() + inner, c.y() - inner);
    star.lineTo(c.x() + outer, c.y());
    star.lineTo(c.x() + inner, c.y() + inner);
    star.lineTo(c.x(), c.y() + outer);
    star.lineTo(c.x() - inner, c.y() + inner);
    star.lineTo(c.x() - outer, c.y());
    star.lineTo(c.x() - inner, c.y() - inner);
    star.closeSubpath();
    p.setPen(pen(colour::folder_edge, 0.6));
    p.setBrush(colour::yellow);
    p.drawPath(star);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(13.5, 11.0), 1.2, 1.2);
}

void draw_bookmark_previous(QPainter& p) {
    ribbon(p, 8.5, 1.5, 14.5, 6);
    jump_arrow(p, 4, 15, 1);
}

void draw_bookmark_toggle(QPainter& p) {
    ribbon(p, 3.5, 0.5, 15.5, 9);
}

void draw_bookmark_next(QPainter& p) {
    ribbon(p, 8.5, 1.5, 14.5, 6);
    jump_arrow(p, 4, 1, 15);
}

void draw_return_from_sub(QPainter& p) {
    function_f(p, 0.5, 2.0, colour::purple);
    // Curved arrow back to the caller.
    QPainterPath back;
    back.moveTo(14.5, 15.0);
    back.lineTo(14.5, 11.0);
    back.cubicTo(14.5, 8.5, 13.0, 7.5, 11.0, 7.5);
    back.lineTo(11.0, 7.5);
    p.setPen(QPen(colour::blue, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(back);
    arrow_head(p, 8.0, 7.5, -1, 0, 3.5, colour::blue);
}

void draw_find_sub(QPainter& p) {
    function_f(p, 0.5, 1.0, colour::purple);
    magnifier(p, 10.5, 10.0, 3.0, 3.2, 1.2);
}

void draw_run_in_dos(QPainter& p) {
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 1.5, 15, 13), 1.5, 1.5);
    p.setPen(square_pen(colour::ink, 1));
    p.setBrush(colour::terminal);
    p.drawPath(frame);
    bar(p, 1, 2, 14, 2, colour::ink_soft);
    QPainterPath prompt;
    prompt.moveTo(3.0, 6.5);
    prompt.lineTo(6.0, 9.0);
    prompt.lineTo(3.0, 11.5);
    p.setPen(pen(colour::green, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(prompt);
    bar(p, 8, 11, 4, 1.0, colour::paper);
}

void draw_connect(QPainter& p) {
    // Cable.
    bar(p, 0, 7, 2, 2, colour::ink);
    // Plug body and pins.
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 2.5, 7, 11), 1.5, 1.5);
    p.setPen(square_pen(colour::green_dark, 1));
    p.setBrush(colour::green);
    p.drawPath(body);
    p.setPen(square_pen(colour::ink_soft, 1));
    p.setBrush(colour::paper_shade);
    p.drawRect(QRectF(8.5, 4.5, 4, 2));
    p.drawRect(QRectF(8.5, 9.5, 4, 2));
    // The socket it goes into.
    bar(p, 14, 1, 2, 14, colour::ink);
}

// A page with an arrow leaving it for the board.
void draw_send_program(QPainter& p) {
    page(p, 0.5, 0.5, 9.5, 13.5, 3);
    bar(p, 2, 5, 5, 1, colour::line);
    bar(p, 2, 8, 4, 1, colour::line);
    p.setPen(pen(colour::blue_dark, 2));
    p.drawLine(QPointF(6, 11), QPointF(12, 11));
    arrow_head(p, 15, 11, 1, 0, 4, colour::blue_dark);
}

// The send arrow with a green run triangle.
void draw_send_run(QPainter& p) {
    QPolygonF play({QPointF(1.5, 1.5), QPointF(10.5, 7), QPointF(1.5, 12.5)});
    p.setPen(square_pen(colour::green_dark, 1));
    p.setBrush(colour::green);
    p.drawPolygon(play);
    p.setPen(pen(colour::blue_dark, 2));
    p.drawLine(QPointF(7, 13), QPointF(12, 13));
    arrow_head(p, 15, 13, 1, 0, 3, colour::blue_dark);
}

// A red stop square.
void draw_stop_program(QPainter& p) {
    QPainterPath square;
    square.addRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
    p.setPen(square_pen(colour::red.darker(130), 1));
    p.setBrush(colour::red);
    p.drawPath(square);
}

void draw_syntax_help(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::blue);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    QPainterPath mark;
    mark.moveTo(5.3, 5.8);
    mark.cubicTo(5.3, 2.6, 10.7, 2.6, 10.7, 5.8);
    mark.cubicTo(10.7, 7.9, 8.0, 7.9, 8.0, 10.0);
    p.setPen(pen(colour::paper, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::paper);
    p.drawEllipse(QPointF(8, 12.8), 1.25, 1.25);
}

// A green board with a small folder in front: the board's files.
void draw_board_files(QPainter& p) {
    QPainterPath board;
    board.addRoundedRect(QRectF(2.5, 0.5, 13, 10), 1, 1);
    p.setPen(square_pen(colour::green_dark, 1));
    p.setBrush(colour::green);
    p.drawPath(board);
    bar(p, 9, 3, 4, 4, colour::terminal);
    QPainterPath folder;
    folder.moveTo(0.5, 7.5);
    folder.lineTo(4.5, 7.5);
    folder.lineTo(5.5, 8.5);
    folder.lineTo(10.5, 8.5);
    folder.lineTo(10.5, 15.5);
    folder.lineTo(0.5, 15.5);
    folder.closeSubpath();
    p.setPen(square_pen(colour::folder_edge, 1));
    p.setBrush(colour::yellow);
    p.drawPath(folder);
}

// --- The application icon, on a 64-unit grid -----------------------------------------------

void draw_application(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, colour::blue);
    sky.setColorAt(1, colour::blue_dark);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(tile);

    QPainterPath sheet;
    sheet.moveTo(13, 9);
    sheet.lineTo(40, 9);
    sheet.lineTo(51, 20);
    sheet.lineTo(51, 55);
    sheet.lineTo(13, 55);
    sheet.closeSubpath();
    p.setBrush(colour::paper);
    p.drawPath(sheet);
    QPainterPath ear;
    ear.moveTo(40, 9);
    ear.lineTo(40, 20);
    ear.lineTo(51, 20);
    ear.closeSubpath();
    p.setBrush(colour::paper_shade);
    p.drawPath(ear);

    // A small coloured program: keywords, names and an indented block.
    bar(p, 18, 15, 9, 4, colour::blue);
    bar(p, 29, 15, 7, 4, colour::purple);
    bar(p, 23, 23, 8, 4, colour::blue);
    bar(p, 33, 23, 12, 4, colour::orange);
    bar(p, 23, 31, 14, 4, colour::green);
    bar(p, 23, 39, 6, 4, colour::red);
    bar(p, 18, 47, 11, 4, colour::blue);

    // A pencil across the lower right corner.
    const QPointF tip(33, 57);
    const QPointF end(59, 31);
    p.setPen(QPen(colour::blue_dark, 12, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tip + QPointF(2, -2), end + QPointF(1.5, -1.5));
    p.setPen(QPen(colour::yellow, 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tip + QPointF(6, -6), end);
    p.setPen(QPen(colour::red, 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(end + QPointF(-4, 4), end);
    p.setPen(QPen(colour::paper_shade, 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(end + QPointF(-6, 6), end + QPointF(-4, 4));
    QPolygonF point;
    point << tip << tip + QPointF(0.35, -8.8) << tip + QPointF(8.8, -0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0xb2));
    p.drawPolygon(point);
    point.clear();
    point << tip << tip + QPointF(0.12, -3.2) << tip + QPointF(3.2, -0.12);
    p.setBrush(colour::ink);
    p.drawPolygon(point);
}

struct Picture {
    const char* name;
    std::function<void(QPainter&)> draw;
    qreal grid; // units across the picture
    std::vector<int> sizes;
    std::vector<const char*> suffixes;
};

bool write_image(const QString& path, const std::function<void(QPainter&)>& draw, qreal grid,
                 int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / grid, size / grid);
    draw(painter);
    painter.end();
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool write_picture(const QString& folder, const Picture& picture) {
    for (size_t i = 0; i < picture.sizes.size(); ++i) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(picture.name) +
                                                   QString::fromLatin1(picture.suffixes[i]) +
                                                   QStringLiteral(".png"));
        if (!write_image(path, picture.draw, picture.grid, picture.sizes[i])) return false;
    }
    return true;
}

// The application icon in the sizes of the desktop's icon theme, laid out as the theme's
// folders (hicolor/<n>x<n>/apps/zelledit.png) beside the hand-drawn scalable one.
bool write_theme_icons(const QString& folder) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QDir(folder).filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(apps)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(apps));
            return false;
        }
        if (!write_image(QDir(apps).filePath(QStringLiteral("zelledit.png")), draw_application, 64,
                         size))
            return false;
    }
    return true;
}

std::vector<Picture> pictures() {
    const std::vector<int> toolbar_sizes{16, 32};
    const std::vector<const char*> toolbar_suffixes{"", "@2x"};
    const std::vector<std::pair<const char*, void (*)(QPainter&)>> toolbar{
        {"new", draw_new},
        {"open", draw_open},
        {"save", draw_save},
        {"save_as", draw_save_as},
        {"print", draw_print},
        {"find", draw_find},
        {"line_numbers", draw_line_numbers},
        {"line_endings", draw_line_endings},
        {"white_space", draw_white_space},
        {"syntax_colour", draw_syntax_colour},
        {"upper_case", draw_upper_case},
        {"indent_guides", draw_indent_guides},
        {"auto_indent", draw_auto_indent},
        {"format", draw_format},
        {"bookmark_previous", draw_bookmark_previous},
        {"bookmark_toggle", draw_bookmark_toggle},
        {"bookmark_next", draw_bookmark_next},
        {"return_from_sub", draw_return_from_sub},
        {"find_sub", draw_find_sub},
        {"run_in_dos", draw_run_in_dos},
        {"connect", draw_connect},
        {"send_program", draw_send_program},
        {"send_run", draw_send_run},
        {"stop_program", draw_stop_program},
        {"syntax_help", draw_syntax_help},
        {"board_files", draw_board_files},
    };
    std::vector<Picture> all;
    for (const auto& [name, draw] : toolbar)
        all.push_back({name, draw, 16, toolbar_sizes, toolbar_suffixes});
    all.push_back({"zelledit", draw_application, 64, {64}, {""}});
    return all;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZELL_ICON_DIR);
    for (const Picture& picture : pictures())
        if (!write_picture(folder, picture)) return 1;
    return write_theme_icons(folder) ? 0 : 1;
}
