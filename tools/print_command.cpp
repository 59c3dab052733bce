// Printing the current document: its pages with a header line, through the requesters.
#include "tools/print_command.h"

#include "base/folders.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/print_layout.h"
#include "ui/requesters.h"

#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

// Margins in device pixels of a 600 dpi printer, scaled to the printer at hand.
constexpr int top_margin = 200;
constexpr int left_margin = 50;
constexpr int right_margin = 50;
constexpr int bottom_margin = 200;
constexpr int reference_dpi = 600;

} // namespace

bool render_document_pages(QsciScintillaBase* editor, const std::string& path, QPrinter& printer,
                           bool header) {
    const long length = sci_length(editor);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double scale = double(printer.resolution()) / reference_dpi;
    const int top = int(top_margin * scale), left = int(left_margin * scale);
    const int right = int(right_margin * scale), bottom = int(bottom_margin * scale);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int page_width = page.width(), page_height = page.height();

    // The header font's size is the page width / 80 in points, as a screen shows points: a
    // metric twin stands in where the font named is missing.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, page_width / 80 * 96 / 72));
    painter.setFont(font);
    QFontMetrics metrics(font, &printer);
    auto measure = [&](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
    };
    const int header_height = 2 * metrics.height();
    const QDate today = QDate::currentDate();
    PrintHeader heading =
        build_print_header(print_date_text(today.year(), today.month(), today.day()),
                           file_name_of(path), page_width, left, right, measure);

    sci_set_print_wrap_mode(editor, Sci::SC_WRAP_WORD);
    sci_set_print_colour_mode(editor, Sci::SC_PRINT_COLOURONWHITEDEFAULTBG);
    const QRect area(left, top + header_height, page_width - left - right - left,
                     page_height - top - 2 * header_height - bottom);

    long start = 0;
    int page_number = 1;
    while (start < length) {
        if (header) {
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.setBackground(Qt::white);
            painter.drawText(heading.x, top + 10 + metrics.ascent(),
                             QString::fromUtf8(heading.text) + QString::number(page_number));
        }
        long next = sci_format_range(editor, &painter, area, start, length);
        ++page_number;
        // A range that does not move on would print the same page for ever.
        if (next <= start) break;
        start = next;
        if (start < length && !printer.newPage()) break;
    }
    sci_format_range_end(editor);
    painter.end();
    return true;
}

void print_document(QsciScintillaBase* editor, const Document* document, Requesters& requesters) {
    if (!editor || !document || sci_length(editor) == 0) return;
    const std::string path = document->path;
    bool failed = false;
    std::string target;
    requesters.print(file_name_of(path), [&](QPrinter& printer) {
        if (!render_document_pages(editor, path, printer)) {
            failed = true;
            target = printer.outputFileName().toStdString();
        }
    });
    if (failed)
        requesters.message(
            "Print", target.empty() ? "Couldn't start printing." : "Couldn't print to " + target,
            Buttons::Ok);
}
