// Capturing the board's screen.
#include "boardfiles/board_capture.h"

#include "base/folders.h"
#include "boardfiles/board_files.h"
#include "ui/requesters.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* title = "Capture the board's screen";
constexpr const char* board_file = "A:/zell-capture.bmp";

void show_capture(BoardFiles& files, const QImage& image) {
    auto* window = new QDialog(files.context().window);
    window->setObjectName(QStringLiteral("screen_capture"));
    window->setWindowTitle(QString::fromUtf8(title));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(window);
    auto* picture = new QLabel(window);
    picture->setPixmap(QPixmap::fromImage(image));
    layout->addWidget(picture);
    auto* row = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save as PNG"), window);
    save->setObjectName(QStringLiteral("capture_save"));
    auto* close = new QPushButton(QStringLiteral("Close"), window);
    row->addStretch(1);
    row->addWidget(save);
    row->addWidget(close);
    layout->addLayout(row);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::close);
    QObject::connect(save, &QPushButton::clicked, window, [&files, image] {
        Requesters& requesters = files.context().requesters;
        std::string path = requesters.save_file(
            "Save the screen", with_separator(files.context().folders.current) + "screen.png",
            "PNG (*.png)|*.png");
        if (path.empty()) return;
        if (!image.save(QString::fromStdString(path), "PNG"))
            requesters.message("Save the screen", "Couldn't write " + path + ".", Buttons::Ok);
    });
    window->show();
}

} // namespace

void capture_board_screen(BoardFiles& files) {
    std::string local =
        QDir(QDir::tempPath())
            .filePath(QStringLiteral("zell-capture-%1.bmp").arg(QCoreApplication::applicationPid()))
            .toStdString();
    BoardRequest save, fetch, remove;
    save.kind = BoardRequest::Kind::line;
    save.name = std::string("SAVE IMAGE \"") + board_file + "\"";
    fetch.kind = BoardRequest::Kind::download;
    fetch.name = board_file;
    fetch.local = local;
    remove.kind = BoardRequest::Kind::kill;
    remove.name = board_file;
    files.run({save, fetch, remove}, title, [&files, local](std::vector<BoardOutcome>& outcomes) {
        QImage image;
        std::string failure;
        for (const BoardOutcome& outcome : outcomes)
            if (!outcome.ok && failure.empty()) failure = outcome.failure;
        if (outcomes.size() >= 2 && outcomes[1].ok)
            image.load(QString::fromStdString(local), "BMP");
        QFile::remove(QString::fromStdString(local));
        if (image.isNull()) {
            files.context().requesters.message(
                title,
                "The board's screen could not be captured" +
                    (failure.empty() ? std::string(".") : ": " + failure),
                Buttons::Ok);
            return;
        }
        show_capture(files, image);
    });
}
