// The real message boxes and requesters, built on Qt's dialogs.
#include "ui/requesters.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// Beside the title text, a title bar holds an icon and three buttons.
constexpr int title_bar_room = 160;

QString from_path(const std::string& path) {
    return QFile::decodeName(path.c_str());
}
std::string to_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

class QtRequesters final : public Requesters {
  public:
    explicit QtRequesters(QWidget* parent) : parent_(parent) {}

    // Dialogs belong to the given window, or to the active one when none was given.
    QWidget* parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

    Answer message(const std::string& title, const std::string& text, Buttons buttons) override {
        // Texts may break lines with a lone CR, which a label does not show as a break.
        QString shown = QString::fromStdString(text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), shown,
                        QMessageBox::NoButton, parent());
        switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case Buttons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
    }

    Answer recovery(const std::string& title, const std::string& text) override {
        QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                        QString::fromLocal8Bit(text), QMessageBox::NoButton, parent());
        QPushButton* recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
        QPushButton* later = box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
        box.setDefaultButton(recover);
        box.setEscapeButton(later);
        box.exec();
        if (box.clickedButton() == recover) return Answer::Yes;
        if (box.clickedButton() == discard) return Answer::No;
        return Answer::Cancel;
    }

    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override {
        QInputDialog dialog(parent());
        dialog.setWindowTitle(QString::fromStdString(title));
        dialog.setLabelText(QString::fromStdString(prompt));
        dialog.setTextValue(QString::fromStdString(initial));
        // The window's title bar cuts a title wider than the dialog ("Add p… mbers"): the
        // dialog is made wide enough for it and the title bar's buttons.
        dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) +
                               title_bar_room);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.textValue().toStdString();
    }

    std::string open_file(const std::string& title, const std::string& initial,
                          const std::string& filter) override {
        QString qt_filter = QString::fromStdString(qt_filter_from_pairs(filter));
        QString first = qt_filter.section(QStringLiteral(";;"), 0, 0);
        return to_path(QFileDialog::getOpenFileName(parent(), QString::fromStdString(title),
                                                    from_path(initial), qt_filter, &first));
    }

    std::string save_file(const std::string& title, const std::string& initial,
                          const std::string& filter) override {
        QString qt_filter = QString::fromStdString(qt_filter_from_pairs(filter));
        QString first = qt_filter.section(QStringLiteral(";;"), 0, 0);
        // The program asks about overwriting itself, after adding its own extension.
        return to_path(QFileDialog::getSaveFileName(parent(), QString::fromStdString(title),
                                                    from_path(initial), qt_filter, &first,
                                                    QFileDialog::DontConfirmOverwrite));
    }

    std::optional<std::uint32_t> choose_colour(const std::string& title,
                                               std::uint32_t initial) override {
        QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
        QColor chosen = QColorDialog::getColor(start, parent(), QString::fromStdString(title));
        if (!chosen.isValid()) return std::nullopt;
        return std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 |
               std::uint32_t(chosen.blue()) << 16;
    }

    bool print(const std::string& title,
               const std::function<void(QPrinter& printer)>& render) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(title));
        QPrintPreviewDialog preview(&printer, parent());
        preview.setWindowTitle(QString::fromStdString(title));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&render](QPrinter* target) { render(*target); });
        return preview.exec() == QDialog::Accepted;
    }

  private:
    QPointer<QWidget> parent_;
};

} // namespace

std::unique_ptr<Requesters> make_qt_requesters(QWidget* parent) {
    return std::make_unique<QtRequesters>(parent);
}

std::string qt_filter_from_pairs(const std::string& pairs) {
    // Fields alternate: display name, pattern. Qt shows the name, which carries the pattern.
    std::string result;
    std::size_t start = 0;
    bool is_name = true;
    while (start <= pairs.size()) {
        std::size_t bar = pairs.find('|', start);
        std::string field =
            pairs.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (is_name && !field.empty()) {
            // "*.*" means every file; on systems where names need no dot that is "*".
            std::size_t all = field.find("(*.*)");
            if (all != std::string::npos) field.replace(all, 5, "(*)");
            if (!result.empty()) result += ";;";
            result += field;
        }
        is_name = !is_name;
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return result;
}
