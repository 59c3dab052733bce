// The commands of the device subsystem: connecting, sending, running and stopping a program on
// the board, running locally, the error log.
#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "boardfiles/board_backup.h"
#include "boardfiles/board_capture.h"
#include "boardfiles/board_files_commands.h"
#include "boardfiles/board_restore.h"
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
    watch_board_files(app); // the board's identity and files follow the connection
    std::optional<ConnectionChoice> choice = session.choose_connection(app);
    if (choice) session.connect_to(*choice);
}

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

bool can_send(App& app) {
    return app.device && app.device->can_send();
}

bool can_stop(App& app) {
    return app.device && app.device->can_stop();
}

constexpr Command device_command_table[] = {
    {menu_id::connect, connect_command},
    {menu_id::connect_program, connect_command},
    {menu_id::run_in_dos, run_in_dos},
    {menu_id::error_log, show_error_log},
    {menu_id::send_program, send_to_board, can_send},
    {menu_id::send_and_run, send_and_run, can_send},
    {menu_id::stop_program, stop_program, can_stop},
    {menu_id::board_files, toggle_board_files, nullptr, board_files_shown},
    {menu_id::fetch_program, fetch_board_program, board_connected},
    {menu_id::back_up_board, back_up_board, board_connected},
    {menu_id::restore_board_files, restore_files, board_connected},
    {menu_id::set_board_clock, set_board_clock, board_connected},
    {menu_id::capture_board_screen, capture_board_screen, board_connected},
};

} // namespace

std::span<const Command> device_commands() {
    return device_command_table;
}
