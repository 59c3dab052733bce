// The status bar's column, line, path and file-format fields.
#include "documents/status_line.h"

#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>

namespace {

constexpr int field_widths[4] = {100, 100, 500, 100};
constexpr int line_field_least_width = 100;

// Widens the line field so that "Line: count/count" fits; it never narrows while running, so
// the fields after it do not jump about while the caret moves.
void fit_line_field(QLabel* field, long count) {
    const std::string widest =
        "Line: " + std::to_string(count) + "/" + std::to_string(count) + "  ";
    const int wanted =
        std::max(line_field_least_width,
                 field->fontMetrics().horizontalAdvance(QString::fromStdString(widest)) +
                     field->contentsMargins().left() + field->contentsMargins().right());
    if (wanted > field->width()) field->setFixedWidth(wanted);
}

} // namespace

void build_status_line(StatusLine& status, QStatusBar* bar) {
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLabel(bar);
        field->setFixedWidth(field_widths[i]);
        // The file's path gives way first when the board's and the analysis's fields join the
        // bar, so no field is drawn over another.
        if (i == 2) {
            field->setMinimumWidth(0);
            field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        const int stretch = i == 2 ? 1 : 0; // the path takes what room there is, up to its width
        field->setObjectName(QStringLiteral("status_field_%1").arg(i));
        // The file format sits at the right edge, where notes never cover it.
        if (i == 3)
            bar->addPermanentWidget(field);
        else
            bar->addWidget(field, stretch);
        status.fields[i] = field;
    }
}

void connect_status_line(StatusLine& status, EditorWidget* editor) {
    QObject::connect(editor, &EditorWidget::ui_updated, editor,
                     [&status, editor](int) { show_caret_status(status, editor); });
}

void show_caret_status(StatusLine& status, QsciScintillaBase* editor) {
    if (!status.fields[1] || !editor) return;
    const long count = sci_line_count(editor);
    std::string text =
        "Line: " + std::to_string(sci_caret_line(editor) + 1) + "/" + std::to_string(count);
    if (text != status.shown_line) { // no repaint when nothing changed
        status.shown_line = text;
        fit_line_field(status.fields[1], count);
        status.fields[1]->setText(QString::fromStdString(text));
    }
    if (!status.fields[0]) return;
    long column = sci_column(editor, sci_current_pos(editor));
    std::string column_text = "Col: " + std::to_string(column + 1);
    if (column_text == status.shown_column) return;
    status.shown_column = column_text;
    status.fields[0]->setText(QString::fromStdString(column_text));
}

void show_document_status(StatusLine& status, QsciScintillaBase* editor, const Document* document) {
    if (status.fields[2])
        status.fields[2]->setText(document ? QFile::decodeName(document->path.c_str()) : QString());
    show_caret_status(status, editor);
    show_file_format(status, document);
}

void show_file_format(StatusLine& status, const Document* document) {
    if (!status.fields[3] || !document) return;
    const bool utf8 = document->encoding == TextEncoding::utf8;
    const bool crlf = document->line_end == LineEnd::crlf;
    status.fields[3]->setText(QString::fromLatin1(utf8 ? "UTF-8" : "Latin-1") +
                              QString::fromLatin1(crlf ? ", CRLF" : ", LF"));
}
