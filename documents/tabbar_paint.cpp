// Painting a laid-out tab bar: gradients per tab state, rounded boxes, small buttons and glyphs.
#include "documents/tabbar_paint.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr TabColour shade_weak = 0x101010;
constexpr TabColour shade_medium = 0x202020;
constexpr TabColour shade_strong = 0x303030;
constexpr TabColour shade_button = 0x404040;
constexpr unsigned alpha_disabled = 0x80;
constexpr unsigned alpha_dragged = 0xC0;
constexpr unsigned alpha_faded_text = 0x40;
constexpr unsigned alpha_outline = 0x80;
constexpr unsigned alpha_fade_middle = 0xA0;
constexpr unsigned alpha_idle_arrow = 0x80;
constexpr int glyph_inset = 3;
constexpr int arrow_length = 4;

void plot(QPainter& painter, int x, int y, const QColor& colour) {
    painter.fillRect(x, y, 1, 1, colour);
}

QLinearGradient tab_gradient(const TabBar& bar, const TabItem& item) {
    const TabRect& r = item.rect;
    QLinearGradient gradient(0, r.y, 0, r.y + r.height - 1);
    const TabBarDefaults& look = bar.look;
    const TabColour face = item.face_colour;
    auto stop = [&gradient](double at, TabColour colour, unsigned alpha) {
        gradient.setColorAt(at, tabbar_qcolor(alpha ? with_alpha(colour, alpha) : colour));
    };
    if (item.state == 2 || item.state == 3) {
        const TabColour base = lighten_colour(face, look.selected_lift);
        const unsigned alpha = item.state == 3 ? alpha_dragged : 0;
        stop(0.0, lighten_colour(base, shade_weak), alpha);
        stop(0.5, base, alpha);
        stop(1.0, darken_colour(base, shade_weak), alpha);
    } else {
        const TabColour base = item.state == 1 ? lighten_colour(face, look.hover_lift) : face;
        const unsigned alpha = item.state == -1 ? alpha_disabled : 0;
        stop(0.0, lighten_colour(base, shade_medium), alpha);
        stop(0.5, base, alpha);
        stop(0.6, darken_colour(base, shade_weak), alpha);
        stop(1.0, darken_colour(base, shade_strong), alpha);
    }
    return gradient;
}

// A box with rounded corners: filled with `fill`, outlined one pixel wide in `outline`.
void rounded_box(QPainter& painter, const QRect& box, int radius, const QBrush& fill,
                 const QColor& outline) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addRoundedRect(QRectF(box), radius, radius);
    painter.fillPath(path, fill);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void small_button(QPainter& painter, const TabBar& bar, const TabRect& area, bool sunken,
                  TabColour face) {
    QLinearGradient gradient(0, area.y, 0, area.y + area.height - 1);
    const QColor light = tabbar_qcolor(lighten_colour(face, shade_button));
    const QColor dark = tabbar_qcolor(darken_colour(face, shade_button));
    gradient.setColorAt(0.0, sunken ? dark : light);
    gradient.setColorAt(0.5, tabbar_qcolor(face));
    gradient.setColorAt(1.0, sunken ? light : dark);
    rounded_box(painter, QRect(area.x, area.y, area.width, area.height), 3, gradient,
                tabbar_qcolor(with_alpha(bar.look.border_colour, alpha_outline)));
}

// An arrow `length` pixels long with its tip at (x, y), pointing left (or right, mirrored);
// its slanted edges are drawn again faintly to smooth them.
void arrow_glyph(QPainter& painter, int x, int y, int length, bool right, TabColour colour) {
    const int step = right ? -1 : 1;
    const QColor solid = tabbar_qcolor(colour);
    const QColor faint = tabbar_qcolor(with_alpha(colour, colour_alpha(colour) / 4));
    for (int i = 1; i <= length; ++i) painter.fillRect(x + step * i, y - i, 1, 2 * i, solid);
    for (int i = 0; i <= length; ++i) {
        plot(painter, x + step * i, y - 1 - i, faint);
        plot(painter, x + step * i, y + i, faint);
    }
}

// A cross over the diagonals of a size-by-size square, each flanked by faint copies.
void cross_glyph(QPainter& painter, int x, int y, int size, TabColour colour) {
    const QColor solid = tabbar_qcolor(colour);
    const QColor faint = tabbar_qcolor(with_alpha(colour, colour_alpha(colour) / 4));
    const int last = size - 1;
    for (int i = 0; i < size; ++i) {
        plot(painter, x + i, y + i, solid);
        plot(painter, x + last - i, y + i, solid);
    }
    for (int i = 0; i < last; ++i) {
        plot(painter, x + i + 1, y + i, faint);
        plot(painter, x + i, y + i + 1, faint);
        plot(painter, x + last - i - 1, y + i, faint);
        plot(painter, x + last - i, y + i + 1, faint);
    }
}

// A small chip (a body with three pins on each side) in a size-by-size square: the mark of a
// file that lives on a board.
void board_glyph(QPainter& painter, int x, int y, int size, TabColour colour) {
    const QColor solid = tabbar_qcolor(colour);
    const int body = size / 2;
    const int left = x + (size - body) / 2;
    painter.fillRect(left, y + 1, body, size - 2, solid);
    for (int pin = 0; pin < 3; ++pin) {
        const int row = y + 2 + pin * (size - 4) / 2;
        painter.fillRect(left - 2, row, 2, 1, solid);
        painter.fillRect(left + body, row, 2, 1, solid);
    }
}

void draw_tab(QPainter& painter, const TabBar& bar, int position, const QFontMetrics& metrics) {
    const bool is_plus = position == tabbar_position_plus;
    const TabItem& item = is_plus ? bar.plus : bar.items[position];
    const TabBarDefaults& look = bar.look;
    const TabRect& r = item.rect;
    const bool disabled = item.state == -1;
    const int radius = bar.corner_radius;

    // The box reaches below the bar, so only its upper corners show as rounded.
    rounded_box(painter, QRect(r.x, r.y, r.width, r.height + radius), radius,
                tab_gradient(bar, item),
                tabbar_qcolor(disabled ? with_alpha(look.border_colour, alpha_outline)
                                       : look.border_colour));

    const bool close_button = !is_plus && (bar.flags & tabbar_flag_close_buttons);
    int text_left = r.x + item.inset;
    int room = r.width - 2 * item.inset;
    if (close_button) room -= look.close_size + look.spacing;
    const TabColour text_colour =
        disabled ? with_alpha(item.text_colour, alpha_faded_text) : item.text_colour;
    if (!is_plus && (item.flags & tabbar_item_flag_marked)) {
        const TabRect mark = tabbar_mark_box(bar, item);
        board_glyph(painter, mark.x, mark.y, mark.width, text_colour);
        text_left += mark.width + look.spacing;
        room -= mark.width + look.spacing;
    }
    const TextMeasure measure = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(tabbar_qstring(text));
    };
    const std::string caption = tabbar_fit_caption(item.text, item.shown_text, room, measure);
    painter.setPen(tabbar_qcolor(text_colour));
    painter.drawText(text_left, r.y + (r.height - metrics.height()) / 2 + metrics.ascent(),
                     tabbar_qstring(caption));

    if (!close_button) return;
    const TabRect box = tabbar_close_box(bar, item);
    if (bar.over_close && bar.hovered == position)
        small_button(painter, bar, box, bar.close_pressed && bar.pressed == position,
                     item.face_colour);
    cross_glyph(painter, box.x + glyph_inset, box.y + glyph_inset, box.width - 2 * glyph_inset,
                text_colour);
}

void draw_fades(QPainter& painter, const TabBar& bar) {
    const TabBarDefaults& look = bar.look;
    const int edge = look.margin + look.arrow_width + look.fade_width;
    const QColor opaque = tabbar_qcolor(with_alpha(look.bar_colour, 0xFF));
    const QColor middle = tabbar_qcolor(with_alpha(look.bar_colour, alpha_fade_middle));
    const QColor clear = tabbar_qcolor(with_alpha(look.bar_colour, 0));
    const double half = double(look.fade_width) / 2;
    if (bar.flags & tabbar_hidden_left) {
        const int solid = look.margin + look.arrow_width;
        QLinearGradient fade(0, 0, edge, 0);
        fade.setColorAt(0.0, opaque);
        fade.setColorAt(double(solid) / edge, opaque);
        fade.setColorAt((solid + half) / edge, middle);
        fade.setColorAt(1.0, clear);
        painter.fillRect(0, 0, edge, bar.height, fade);
    }
    if (bar.flags & tabbar_hidden_right) {
        int x0 = bar.width - edge;
        if (bar.flags & tabbar_flag_plus_button) x0 -= bar.plus.width + look.margin;
        QLinearGradient fade(x0, 0, x0 + look.fade_width, 0);
        fade.setColorAt(0.0, clear);
        fade.setColorAt(0.5, middle);
        fade.setColorAt(1.0, opaque);
        painter.fillRect(x0, 0, bar.width - x0, bar.height, fade);
    }
}

void draw_arrows(QPainter& painter, const TabBar& bar) {
    const TabBarDefaults& look = bar.look;
    const int centre = (bar.height + look.margin) / 2;
    for (const unsigned arrow : {tabbar_hidden_left, tabbar_hidden_right}) {
        if (!(bar.flags & arrow)) continue;
        const TabRect area = tabbar_arrow_box(bar, arrow);
        TabColour colour = look.text_colour;
        if (bar.hovered_arrow == arrow)
            small_button(painter, bar, area, bar.pressed_arrow == arrow, look.face_colour);
        else
            colour = with_alpha(colour, alpha_idle_arrow);
        const bool right = arrow == tabbar_hidden_right;
        const int tip = right ? area.x + area.width - 3 : area.x + 2;
        arrow_glyph(painter, tip, centre, arrow_length, right, colour);
    }
}

} // namespace

QColor tabbar_qcolor(TabColour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF),
                  int(colour >> 24));
}

TabColour tabbar_colour_from(const QColor& colour) {
    return TabColour(colour.red()) | TabColour(colour.green()) << 8 |
           TabColour(colour.blue()) << 16 | TabColour(colour.alpha()) << 24;
}

QString tabbar_qstring(std::string_view text) {
    const auto size = qsizetype(text.size());
    return tabbar_text_is_utf8(text) ? QString::fromUtf8(text.data(), size)
                                     : QString::fromLatin1(text.data(), size);
}

void paint_tabbar(QPainter& painter, const TabBar& bar, const QFont& font) {
    const TabBarDefaults& look = bar.look;
    const QFontMetrics metrics(font);
    painter.save();
    painter.setFont(font);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(0, 0, bar.width, bar.height, tabbar_qcolor(with_alpha(look.bar_colour, 0xFF)));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const int count = int(bar.items.size());
    const bool plus_on = bar.flags & tabbar_flag_plus_button;
    const bool hidden_right = bar.flags & tabbar_hidden_right;
    // Right to left, so that of two overlapping neighbours the left one lies on top.
    for (int i = count - 1; i >= 0; --i)
        if (bar.items[i].visible && i != bar.selected && i != bar.dragged)
            draw_tab(painter, bar, i, metrics);
    if (plus_on && !hidden_right) draw_tab(painter, bar, tabbar_position_plus, metrics);
    if (bar.flags & tabbar_flag_bottom_line)
        painter.fillRect(0, bar.height - 1, bar.width, 1, tabbar_qcolor(look.border_colour));
    if (bar.selected >= 0 && bar.selected < count && bar.items[bar.selected].visible)
        draw_tab(painter, bar, bar.selected, metrics);
    if (bar.dragged >= 0 && bar.dragged < count && bar.dragged != bar.selected)
        draw_tab(painter, bar, bar.dragged, metrics);
    draw_fades(painter, bar);
    draw_arrows(painter, bar);
    if (plus_on && hidden_right) draw_tab(painter, bar, tabbar_position_plus, metrics);
    painter.restore();
}
