// The board files' commands: the panel, and fetching the board's program.
#include "boardfiles/board_files_commands.h"

#include "app/app.h"
#include "app/command.h"
#include "app/menu_ids.h"
#include "boardfiles/board_backup.h"
#include "boardfiles/board_capture.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_identity.h"
#include "boardfiles/board_restore.h"
#include "device/device_session.h"
#include "documents/document_commands.h"
#include "help/editor_help.h"
#include "ui/requesters.h"

#include <QDateTime>
#include <QTimer>

void toggle_board_files(App& app) {
    watch_board_files(app);
    board_files(app).toggle_panel();
}

bool board_files_shown(const App& app) {
    return app.board_files && app.board_files->panel_visible();
}

bool board_connected(const App& app) {
    return app.device && app.device->state() == LinkState::connected && !app.device->transferring();
}

namespace {

// Before a program goes: the words the keyword help marks as other boards' are named, and the
// user decides.
bool fits_the_board(App& app, const std::string& text) {
    const BoardIdentity& identity = board_files(app).identity();
    if (!identity.known) return true;
    const std::vector<OtherBoardWord> found =
        words_for_other_boards(text, keyword_help(*app.help, app.folders), identity.device);
    if (found.empty()) return true;
    std::string list;
    for (const OtherBoardWord& use : found)
        list += "\nline " + std::to_string(use.line) + ": " + use.word + " (" + use.boards + ")";
    return app.requesters->message("Send program",
                                   "The keyword help marks commands of this program as being for "
                                   "other boards than the connected " +
                                       identity.device + ":" + list + "\n\nSend it anyway?",
                                   Buttons::YesNo) == Answer::Yes;
}

} // namespace

void watch_board_files(App& app) {
    DeviceSession& session = device_session(app);
    if (session.on_state_changed) return;
    session.before_send = [&app](const std::string& text) { return fits_the_board(app, text); };
    BoardFiles& files = board_files(app);
    auto last = std::make_shared<LinkState>(session.state());
    session.on_state_changed = [&app, &files, last] {
        LinkState now = app.device->state();
        if (now == *last) return;
        *last = now;
        // After the board had a moment to show its prompt.
        QTimer::singleShot(300, &files, [&files] { files.connection_changed(); });
    };
}

void fetch_board_program(App& app) {
    BoardRequest request;
    request.kind = BoardRequest::Kind::fetch_program;
    board_files(app).run({request}, "Fetch the board's program",
                         [&app](std::vector<BoardOutcome>& outcomes) {
                             if (outcomes.empty()) return;
                             BoardOutcome& outcome = outcomes.front();
                             if (!outcome.ok) {
                                 app.requesters->message("Fetch the board's program",
                                                         "The board's program could not be "
                                                         "fetched: " +
                                                             outcome.failure,
                                                         Buttons::Ok);
                                 return;
                             }
                             new_document(app);
                             set_editor_text(app, outcome.data, false);
                         });
}

void set_board_clock(App& app) {
    board_files(app).run(board_clock_requests(), "Set the board's clock",
                         [&app](std::vector<BoardOutcome>& outcomes) {
                             for (const BoardOutcome& outcome : outcomes)
                                 if (!outcome.ok)
                                     app.requesters->message("Set the board's clock",
                                                             "The board did not take " +
                                                                 outcome.request.name + ": " +
                                                                 outcome.failure,
                                                             Buttons::Ok);
                         });
}

namespace {

// Connecting makes the board's identity and files follow the link from the first moment.
void connect_and_watch(App& app) {
    watch_board_files(app);
    connect_to_chosen_board(app);
}

constexpr Command board_files_command_table[] = {
    {menu_id::connect, "Connect to Maximite", nullptr, connect_and_watch},
    {menu_id::connect_program, "Connect to Maximite", nullptr, connect_and_watch},
    {menu_id::board_files, "Board files", nullptr, toggle_board_files, nullptr, board_files_shown},
    {menu_id::fetch_program, "Fetch the board's program", nullptr, fetch_board_program,
     board_connected},
    {menu_id::back_up_board, "Back up the board", nullptr, back_up_board, board_connected},
    {menu_id::restore_board_files, "Restore files to the board", nullptr, restore_files,
     board_connected},
    {menu_id::set_board_clock, "Set the board's clock", nullptr, set_board_clock, board_connected},
    {menu_id::capture_board_screen, "Capture the board's screen", nullptr, capture_board_screen,
     board_connected},
};

} // namespace

std::span<const Command> board_files_commands() {
    return board_files_command_table;
}
