// The commands of the device subsystem: connecting, running locally, the error log.
#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "device/device_session.h"
#include "device/error_log.h"

namespace {

void connect_command(App& app) {
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

void run_in_dos(App& app) {
    device_session(app).run_locally();
}

constexpr Command device_command_table[] = {
    {menu_id::connect, connect_command},
    {menu_id::connect_program, connect_command},
    {menu_id::run_in_dos, run_in_dos},
    {menu_id::error_log, show_error_log},
};

} // namespace

std::span<const Command> device_commands() {
    return device_command_table;
}
