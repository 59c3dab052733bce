// Draws the toolbar images (16 x 16 and 32 x 32 "@2x") and the 64 x 64 application icon as PNGs,
// and the application icon in the icon theme's sizes from 16 to 256 pixels.
//
// Every toolbar picture is drawn on a 16-unit grid and scaled to the output size. One-unit
// lines sit on half units and two-unit bars on whole units, so both sizes land on whole
// pixels and stay sharp. Usage: make_icons [output folder]; by default the icons folder of
// the source tree.
#include "icon_shapes.h"
#include "toolbar_pictures.h"

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
    const std::vector<ToolbarPicture> toolbar = toolbar_pictures();
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
