// Start-up in its fixed order, and the receiving side of the single-instance hand-over.
#include "app/startup.h"

#include "app/app.h"
#include "app/keyword_file.h"
#include "app/main_window.h"
#include "app/shell_files.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "base/settings_file.h"
#include "documents/interrupted_saves.h"
#include "documents/opening.h"
#include "documents/recent_commands.h"
#include "documents/recovery.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QVersionNumber>

namespace {

constexpr int hand_over_retry_ms = 200; // how often a waiting hand-over looks for the dialog to end

std::string local_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::string folder_path(const QString& path) {
    return path.isEmpty() ? std::string("/") : with_separator(local_path(path));
}

} // namespace

StartupEnvironment system_environment(const std::vector<std::string>& arguments) {
    StartupEnvironment environment;
    environment.executable_path = local_path(QCoreApplication::applicationFilePath());
    environment.arguments = arguments;
    environment.app_data_folder =
        folder_path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    environment.documents_folder =
        folder_path(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty()) kernel[0] = kernel[0].toUpper();
    environment.os_name = kernel.toStdString();
    QVersionNumber version = QVersionNumber::fromString(QSysInfo::kernelVersion());
    environment.os_major = version.majorVersion();
    environment.os_minor = version.minorVersion();
    return environment;
}

// The program's resources (keyword file, icons) live in a static library, which the linker
// would otherwise leave out; registering twice is harmless.
static void register_resources() {
    Q_INIT_RESOURCE(resources);
}

std::unique_ptr<App> start_app(const StartupEnvironment& environment,
                               std::unique_ptr<Requesters> requesters) {
    register_resources();
    auto app = std::make_unique<App>();
    app->requesters = std::move(requesters);

    app->identity.executable_name = file_name_of(environment.executable_path);
    app->identity.os_version =
        os_version_text(environment.os_name, environment.os_major, environment.os_minor);
    app->command_line_list = command_line_list(environment.arguments);

    std::string program_folder = folder_of(environment.executable_path);
    bool portable = is_regular_file(program_folder + "portable.inf");
    app->folders =
        make_folders(program_folder, portable, environment.app_data_folder + "Brevant/Zelledit/",
                     environment.documents_folder);

    prepare_data_folder(app->folders);
    load_keyword_text(*app);
    load_intro_text(*app);
    load_settings_file(*app);
    load_view_state(app->view_state, app->folders);

    build_main_window(*app);
    open_first_documents(*app);
    offer_recovery(*app);
    offer_interrupted_saves(*app);
    return app;
}

void receive_hand_over(App& app, const std::string& list, const HandOverReply& reply) {
    // An instance that is ending never opens them: the sender opens them itself.
    if (app.quit_flag == 1) {
        if (reply.answer) reply.answer(false);
        return;
    }
    // A dialog runs its own event loop, so a hand-over can arrive while one asks about the
    // current document: opening files then would make another document current, and the
    // answer would save or close the wrong one. The list waits until the dialog has closed.
    if (QApplication::activeModalWidget() && app.window) {
        QTimer::singleShot(hand_over_retry_ms, app.window.get(),
                           [&app, list, reply]() { receive_hand_over(app, list, reply); });
        return;
    }
    if (reply.sender_waits && !reply.sender_waits()) return; // it gave up and opens them itself
    show_and_raise(app);
    // A second start without files only brings this window forward.
    if (list.find_first_not_of('\n') != std::string::npos) open_files(app, list);
    if (reply.answer) reply.answer(true);
}
