// Connecting to the board the user chooses.
#include "device/device_session.h"

void connect_to_chosen_board(DeviceSession& session) {
    if (session.state() == LinkState::connected || session.state() == LinkState::reconnecting ||
        session.state() == LinkState::local) {
        session.show_panel(); // already connected: bring the console back
        return;
    }
    if (!session.choose_connection) return;
    std::optional<ConnectionChoice> choice =
        session.choose_connection(session.context().window, session.context().settings);
    if (choice) session.connect_to(*choice);
}
