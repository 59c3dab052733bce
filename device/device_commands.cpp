// The commands of the device subsystem: connecting, sending, running and stopping a program on
// the board, running locally, the error log.
#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "device/device_session.h"
#include "device/error_log.h"

void connect_to_chosen_board(App& app) {
    DeviceSession& session = device_session(app);
    if (session.state() == LinkState::connected || session.state() == LinkState::reconnecting ||
        session.state() == LinkState::local) {
        session.show_panel(); // already connected: bring the console back
        return;
    }
    if (!session.choose_connection) return;
    std::optional<ConnectionChoice> choice = session.choose_connection(app);
    if (choice) session.connect_to(*choice);
}

namespace {

void run_in_dos(App& app) {
    device_session(app).run_locally();
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
    {menu_id::error_log, "Error Log", nullptr, show_error_log},
    {menu_id::send_program, "Send to board", "F6", send_to_board, can_send},
    {menu_id::send_and_run, "Send and run", "F5", send_and_run, can_send},
    {menu_id::stop_program, "Stop program", "Shift+F5", stop_program, can_stop},
};

} // namespace

std::span<const Command> device_commands() {
    return device_command_table;
}
