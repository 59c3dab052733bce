// Running the current program with a local MMBasic interpreter in the terminal panel.
#include "device/device_session.h"

#include "base/folders.h"
#include "base/settings.h"
#include "device/device_link.h"
#include "device/error_marks.h"
#include "device/local_run.h"
#include "device/terminal_panel.h"
#include "device/terminal_view.h"
#include "editor/editor_widget.h"
#include "ui/requesters.h"

void DeviceSession::run_locally() {
    if (state_ == LinkState::connected || state_ == LinkState::reconnecting) {
        context_.requesters.message("Run in DOS",
                                    "A board is connected in the terminal panel. Disconnect it "
                                    "first to run the program locally.",
                                    Buttons::Ok);
        return;
    }
    if (state_ == LinkState::local) {
        show_panel();
        return;
    }
    if (context_.settings.interpreter.empty()) {
        Answer answer = context_.requesters.message(
            "Run in DOS",
            "No MMBasic interpreter is set. Running a program here needs a desktop MMBasic "
            "interpreter; its program is kept as \"Interpreter\" in group [Device] of the "
            "settings file.\n\nChoose the interpreter's program now?",
            Buttons::YesNo);
        if (answer != Answer::Yes) return;
        std::string chosen =
            context_.requesters.open_file("MMBasic interpreter", "", "Programs (*)|*");
        if (chosen.empty()) return;
        context_.settings.interpreter = chosen;
    }
    const std::string path = program_file_to_run(context_);
    if (path.empty()) return;
    std::optional<std::string> argument = interpreter_argument(file_name_of(path));
    if (!argument) {
        context_.requesters.message("Run in DOS",
                                    "The interpreter cannot be given a file whose name holds a "
                                    "double quote (\"). Save the program under another name to "
                                    "run it.",
                                    Buttons::Ok);
        return;
    }
    // The panel first: its view's size is the pseudo-terminal's.
    const bool panel_was_shown = panel_ && panel_->isVisible();
    show_panel();
    std::string error;
    auto local = std::make_unique<LocalRun>();
    int fd = local->start(context_.settings.interpreter, folder_of(path), *argument,
                          screen_.columns(), screen_.rows(), error);
    if (fd < 0) {
        if (!panel_was_shown) hide_panel();
        context_.requesters.message(
            "Run in DOS", "Couldn't start " + context_.settings.interpreter + ": " + error,
            Buttons::Ok);
        return;
    }
    local_ = std::move(local);
    attach(std::make_unique<FdLink>(fd));
    last_sent_path_ = path;
    capture_.reset();
    jump_to_next_error_ = true;
    clear_error_marks(context_.editor);
    state_ = LinkState::local;
    update_status();
    if (panel_) panel_->view()->setFocus();
}

void DeviceSession::stop_local() {
    if (local_) local_->stop();
}

void DeviceSession::resize_terminal(int columns, int rows) {
    screen_.fit(columns, rows);
    if (local_) local_->set_size(screen_.columns(), screen_.rows());
    schedule_repaint();
}
