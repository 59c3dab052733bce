// Zell Edit's entry: one instance per user; a second start hands its files to the first.
#include "app/app.h"
#include "app/folders.h"
#include "app/single_instance.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

// Where the lock and the socket go: never a folder another user can write.
std::string instance_folder() {
    return private_instance_folder(
        QFile::encodeName(qEnvironmentVariable("XDG_RUNTIME_DIR")).toStdString(),
        QFile::encodeName(QDir::homePath()).toStdString());
}

std::string user_name() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) user = QStringLiteral("user");
    return user.toStdString();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zell Edit"));

    // A name given relative to this start's folder means the same file to the running editor
    // and to the next start, wherever they run from.
    std::vector<std::string> given;
    for (int i = 1; i < argc; ++i) given.emplace_back(argv[i]);
    const std::vector<std::string> arguments =
        absolute_arguments(given, QFile::encodeName(QDir::currentPath()).toStdString());

    const std::string folder = instance_folder();
    InstanceChannel channel = instance_channel(folder, user_name());
    InstanceGuard guard;
    const bool single = !folder.empty();
    if (single && !acquire_instance(guard, channel)) {
        // Another instance runs: hand it our files and end without showing anything.
        send_hand_over(channel, command_line_list(arguments), 5000);
        return 0;
    }

    // Listen before start-up, so a second start during a slow start-up is not lost: lists
    // that arrive before the window exists wait until it does.
    std::unique_ptr<App> app;
    std::vector<std::string> waiting;
    if (single)
        listen_for_hand_over(guard, channel, [&app, &waiting](const std::string& list) {
            if (app)
                receive_hand_over(*app, list);
            else
                waiting.push_back(list);
        });
    app = start_app(system_environment(arguments), make_qt_requesters(nullptr));
    for (const std::string& list : waiting) receive_hand_over(*app, list);
    waiting.clear();

    application.setQuitOnLastWindowClosed(false);
    application.exec();
    app.reset();
    return 0;
}
