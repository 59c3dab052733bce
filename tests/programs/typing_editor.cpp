// The editor as a real process of its own that types into its first document, for tests that
// kill it: no other process can type into it, so it types itself through key events (the same
// path a person's keys take). Arguments: the text to type, the file that receives the editor's
// text once typed, then the files to open. It runs until it is killed.
#include "app/app.h"
#include "app/startup.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest/QTest>

#include <fstream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) return 2;
    const QString text = QString::fromUtf8(argv[1]);
    const std::string typed_file = argv[2];
    std::vector<std::string> files;
    for (int i = 3; i < argc; ++i) files.emplace_back(argv[i]);

    std::unique_ptr<App> app = start_app(system_environment(files), make_qt_requesters(nullptr));
    QTimer::singleShot(0, [&app, text, typed_file]() {
        sci_send(app->editor, Sci::SCI_DOCUMENTEND);
        QTest::keyClicks(app->editor, text);
        const std::string now = get_editor_text(app->editor);
        std::ofstream(typed_file, std::ios::binary).write(now.data(), std::streamsize(now.size()));
    });
    return application.exec();
}
