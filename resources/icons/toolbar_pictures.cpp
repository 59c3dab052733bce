// Drawing the toolbar pictures.
#include "toolbar_pictures.h"

#include "icon_shapes.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace {

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

} // namespace

std::vector<ToolbarPicture> toolbar_pictures() {
    return {
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
}
