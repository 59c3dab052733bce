// The items that reach a board or the local interpreter: Run in DOS, sending, running and stopping
// a program, the error log; and the session made from the running application.
#include "app/device_command_list.h"

#include "app/app.h"
#include "app/command.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "device/device_context.h"
#include "device/device_session.h"
#include "device/error_log.h"
#include "documents/document_commands.h"
#include "documents/opening.h"
#include "documents/saving.h"

#include <QSplitter>
#include <QStatusBar>

namespace {

// The editor area and the console share a vertical splitter in the area's place.
QSplitter* place_console(App& app, QWidget* panel) {
    if (!app.splitter || !app.window) return nullptr;
    QWidget* area = app.splitter->parentWidget();
    auto* vertical = new QSplitter(Qt::Vertical, area);
    vertical->setObjectName(QStringLiteral("device_splitter"));
    vertical->setChildrenCollapsible(false);
    vertical->addWidget(app.splitter);
    vertical->addWidget(panel);
    vertical->setStretchFactor(0, 1);
    vertical->setStretchFactor(1, 0);
    vertical->show();
    lay_out_splitter(app);
    return vertical;
}

void run_in_dos(App& app) {
    device_session(app).run_locally();
}

void error_log(App& app) {
    if (app.window) show_error_log(device_session(app));
}

void send_to_board(App& app) {
    device_session(app).send_program(app.settings.send_by_xmodem != 0, false);
}

void send_and_run(App& app) {
    device_session(app).send_program(app.settings.send_by_xmodem != 0, true);
}

void stop_program(App& app) {
    if (app.device) app.device->stop_program();
}

bool can_send(const App& app) {
    return app.device && app.device->can_send();
}

bool can_stop(const App& app) {
    return app.device && app.device->can_stop();
}

constexpr Command device_command_table[] = {
    {menu_id::run_in_dos, "Run in DOS", nullptr, run_in_dos},
    {menu_id::error_log, "Error Log", nullptr, error_log},
    {menu_id::send_program, "Send to board", "F6", send_to_board, can_send},
    {menu_id::send_and_run, "Send and run", "F5", send_and_run, can_send},
    {menu_id::stop_program, "Stop program", "Shift+F5", stop_program, can_stop},
};

} // namespace

std::span<const Command> device_commands() {
    return device_command_table;
}

DeviceContext device_context(App& app) {
    return {app.settings,
            app.folders,
            *app.requesters,
            app.documents,
            app.editor,
            app.window.get(),
            app.window ? app.window->statusBar() : nullptr,
            [&app](QWidget* panel) { return place_console(app, panel); },
            [&app](const std::string& path) { return open_path(app, path); },
            [&app](int position) {
                activate_document(app, position);
                select_tab(app, position);
            },
            [&app]() { save(app); }};
}

DeviceSession& device_session(App& app) {
    if (!app.device) app.device = std::make_unique<DeviceSession>(device_context(app));
    return *app.device;
}
