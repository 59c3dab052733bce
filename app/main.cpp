// Zell Edit's entry: one instance per user; a second start hands its files to the first.
#include "app/app.h"
#include "app/command_line.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "base/folders.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

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

// How long a second start keeps trying while the running editor ends and lets the lock go.
constexpr int take_over_ms = 15000;
// Silence for this long means the running editor is frozen.
constexpr int answer_timeout_ms = 5000;

// Hands the list to the running instance. True when it opened the files; false when this start
// must open them itself: as the first instance when the other one ended meanwhile (the lock is
// then held in `guard`), otherwise in a window of its own.
bool hand_over_or_take_over(InstanceGuard& guard, const InstanceChannel& channel,
                            const std::string& list) {
    QDeadlineTimer deadline(take_over_ms);
    for (;;) {
        const HandOverResult result = hand_over(channel, list, answer_timeout_ms);
        if (result == HandOverResult::taken) return true;
        if (acquire_instance(guard, channel)) return false;
        if (result == HandOverResult::no_answer || deadline.hasExpired()) return false;
        QThread::msleep(100); // it is ending: its lock goes with its process
    }
}

} // namespace

int main(int argc, char** argv) {
    // Help, the version and mistakes are answered before Qt starts, so they work without a
    // display and never touch the instance lock or the settings.
    const std::string program = argc > 0 && argv[0][0] ? file_name_of(argv[0]) : "zelledit";
    const CommandLine line = parse_command_line(
        argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>());
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usage_text(program).c_str(), stdout);
        return 0;
    case CommandLine::Action::Version: {
        const Identity identity;
        std::fputs(version_text(identity.program_name, identity.version).c_str(), stdout);
        return 0;
    }
    case CommandLine::Action::Error:
        std::fputs(error_text(program, line.error).c_str(), stderr);
        return 2;
    case CommandLine::Action::Edit:
        break;
    }

    // Qt sees only its own options; the files are ours. QApplication keeps argc and argv.
    std::vector<std::string> toolkit_line{argc > 0 ? std::string(argv[0]) : program};
    toolkit_line.insert(toolkit_line.end(), line.toolkit_arguments.begin(),
                        line.toolkit_arguments.end());
    std::vector<char*> toolkit_argv;
    for (std::string& argument : toolkit_line) toolkit_argv.push_back(argument.data());
    toolkit_argv.push_back(nullptr);
    int toolkit_argc = static_cast<int>(toolkit_line.size());
    QApplication application(toolkit_argc, toolkit_argv.data());
    QApplication::setApplicationName(QStringLiteral("Zell Edit"));

    // A name given relative to this start's folder means the same file to the running editor
    // and to the next start, wherever they run from.
    const std::vector<std::string> arguments =
        absolute_arguments(line.files, QFile::encodeName(QDir::currentPath()).toStdString());

    const std::string folder = instance_folder();
    InstanceChannel channel = instance_channel(folder, user_name());
    InstanceGuard guard;
    bool single = !folder.empty();
    if (single && !acquire_instance(guard, channel)) {
        // Another instance runs: hand it our files, and end once it has opened them.
        if (hand_over_or_take_over(guard, channel, command_line_list(arguments))) return 0;
        if (guard.lock_fd < 0) {
            std::fputs((program + ": the running editor does not answer; opening the files in a "
                                  "window of its own\n")
                           .c_str(),
                       stderr);
            single = false;
        }
    }

    // Listen before start-up, so a second start during a slow start-up is not lost: lists
    // that arrive before the window exists wait until it does.
    std::unique_ptr<App> app;
    std::vector<std::pair<std::string, HandOverReply>> waiting;
    if (single)
        listen_for_hand_over(guard, channel,
                             [&app, &waiting](const std::string& list, HandOverReply reply) {
                                 if (app)
                                     receive_hand_over(*app, list, reply);
                                 else
                                     waiting.emplace_back(list, std::move(reply));
                             });
    app = start_app(system_environment(arguments), make_qt_requesters(nullptr));
    for (const auto& [list, reply] : waiting) receive_hand_over(*app, list, reply);
    waiting.clear();

    application.setQuitOnLastWindowClosed(false);
    application.exec();
    app.reset();
    return 0;
}
