// Zell Edit's entry: one instance per user; a second start hands its files to the first.
#include "app/app.h"
#include "app/folders.h"
#include "app/single_instance.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

std::string runtime_folder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).absolutePath().toStdString();
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

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

    InstanceChannel channel = instance_channel(runtime_folder(), user_name());
    InstanceGuard guard;
    if (!acquire_instance(guard, channel)) {
        // Another instance runs: hand it our files and end without showing anything.
        send_hand_over(channel, command_line_list(arguments), 5000);
        return 0;
    }

    // Listen before start-up, so a second start during a slow start-up is not lost: lists
    // that arrive before the window exists wait until it does.
    std::unique_ptr<App> app;
    std::vector<std::string> waiting;
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
