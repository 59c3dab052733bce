// Capturing the board's screen.
#include "boardfiles/board_capture.h"

#include "app/app.h"
#include "app/main_window.h"
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

void show_capture(App& app, const QImage& image) {
    auto* window = new QDialog(app.window.get());
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
    QObject::connect(save, &QPushButton::clicked, window, [&app, image] {
        std::string path = app.requesters->save_file(
            "Save the screen", with_separator(app.folders.current) + "screen.png",
            "PNG (*.png)|*.png");
        if (path.empty()) return;
        if (!image.save(QString::fromStdString(path), "PNG"))
            app.requesters->message("Save the screen", "Couldn't write " + path + ".", Buttons::Ok);
    });
    window->show();
}

} // namespace

void capture_board_screen(App& app) {
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
    board_files(app).run(
        {save, fetch, remove}, title, [&app, local](std::vector<BoardOutcome>& outcomes) {
            QImage image;
            std::string failure;
            for (const BoardOutcome& outcome : outcomes)
                if (!outcome.ok && failure.empty()) failure = outcome.failure;
            if (outcomes.size() >= 2 && outcomes[1].ok)
                image.load(QString::fromStdString(local), "BMP");
            QFile::remove(QString::fromStdString(local));
            if (image.isNull()) {
                app.requesters->message(title,
                                        "The board's screen could not be captured" +
                                            (failure.empty() ? std::string(".") : ": " + failure),
                                        Buttons::Ok);
                return;
            }
            show_capture(app, image);
        });
}
