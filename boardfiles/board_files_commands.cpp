// The board files' commands: fetching the board's program, its clock, following the link.
#include "boardfiles/board_files_commands.h"

#include "boardfiles/board_files.h"
#include "boardfiles/board_identity.h"
#include "device/device_session.h"
#include "ui/requesters.h"

#include <QTimer>

#include <memory>

namespace {

// Before a program goes: the words the keyword help marks as other boards' are named, and the
// user decides.
bool fits_the_board(BoardFiles& files, const std::function<const KeywordHelp&()>& keyword_help,
                    const std::string& text) {
    const BoardIdentity& identity = files.identity();
    if (!identity.known) return true;
    const std::vector<OtherBoardWord> found =
        words_for_other_boards(text, keyword_help(), identity.device);
    if (found.empty()) return true;
    std::string list;
    for (const OtherBoardWord& use : found)
        list += "\nline " + std::to_string(use.line) + ": " + use.word + " (" + use.boards + ")";
    return files.context().requesters.message(
               "Send program",
               "The keyword help marks commands of this program as being for other boards than "
               "the connected " +
                   identity.device + ":" + list + "\n\nSend it anyway?",
               Buttons::YesNo) == Answer::Yes;
}

} // namespace

void watch_board_files(BoardFiles& files, std::function<const KeywordHelp&()> keyword_help) {
    DeviceSession& session = files.session();
    if (session.on_state_changed) return;
    session.before_send = [&files,
                           keyword_help = std::move(keyword_help)](const std::string& text) {
        return fits_the_board(files, keyword_help, text);
    };
    auto last = std::make_shared<LinkState>(session.state());
    session.on_state_changed = [&session, &files, last] {
        LinkState now = session.state();
        if (now == *last) return;
        *last = now;
        // After the board had a moment to show its prompt.
        QTimer::singleShot(300, &files, [&files] { files.connection_changed(); });
    };
}

void fetch_board_program(BoardFiles& files) {
    files.run({board_request(BoardRequest::Kind::fetch_program)}, "Fetch the board's program",
              [&files](std::vector<BoardOutcome>& outcomes) {
                  if (outcomes.empty()) return;
                  BoardOutcome& outcome = outcomes.front();
                  if (!outcome.ok) {
                      files.context().requesters.message(
                          "Fetch the board's program",
                          "The board's program could not be fetched: " + outcome.failure,
                          Buttons::Ok);
                      return;
                  }
                  files.context().new_document(outcome.data);
              });
}

void set_board_clock(BoardFiles& files) {
    files.run(board_clock_requests(), "Set the board's clock",
              [&files](std::vector<BoardOutcome>& outcomes) {
                  for (const BoardOutcome& outcome : outcomes)
                      if (!outcome.ok)
                          files.context().requesters.message("Set the board's clock",
                                                             "The board did not take " +
                                                                 outcome.request.name + ": " +
                                                                 outcome.failure,
                                                             Buttons::Ok);
              });
}
