// Starting the local interpreter on a pty.
#include "device/local_run.h"

#include "base/file_io.h"
#include "device/device_context.h"
#include "documents/document_list.h"
#include "documents/saving.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "ui/requesters.h"

#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

winsize window_size(int columns, int rows) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(std::clamp(columns, 1, 9999));
    size.ws_row = static_cast<unsigned short>(std::clamp(rows, 1, 9999));
    return size;
}

} // namespace

std::string program_file_to_run(const DeviceContext& context) {
    const Document* document = context.documents.current_document();
    if (!document || !context.editor) return {};
    auto unsaved = [&context] { return sci_modified(context.editor) != 0; };
    if (is_untitled(*document) || !file_exists(document->path)) {
        Answer answer = context.requesters.message(
            "Run in DOS",
            "The program runs from its own folder, so that the files it includes and reads are "
            "found: it must be saved first. Save it now?",
            Buttons::YesNo);
        if (answer != Answer::Yes) return {};
        context.save_current();
        if (unsaved()) return {};
    } else if (unsaved()) {
        Answer answer = context.requesters.message(
            "Run in DOS",
            "\"" + document->file_name +
                "\" has unsaved changes. Save them before running it?\n\n"
                "No runs the file as it was last saved.",
            Buttons::YesNoCancel);
        if (answer == Answer::Cancel) return {};
        if (answer == Answer::Yes) {
            context.save_current();
            if (unsaved()) return {};
        }
    }
    // A save that was cancelled or failed (and said so) leaves nothing to run.
    document = context.documents.current_document();
    if (!document || is_untitled(*document) || !file_exists(document->path)) return {};
    return document->path;
}

std::optional<std::string> interpreter_argument(const std::string& file_name) {
    if (file_name.empty() || file_name.find('"') != std::string::npos) return std::nullopt;
    std::string name = file_name.front() == '-' ? "./" + file_name : file_name;
    if (name.find_first_of(" \t,") != std::string::npos) return "\"" + name + "\"";
    return name;
}

LocalRun::LocalRun() = default;

LocalRun::~LocalRun() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(1000);
    }
    if (size_fd_ >= 0) ::close(size_fd_);
}

bool LocalRun::running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

int LocalRun::start(const std::string& interpreter, const std::string& folder,
                    const std::string& argument, int columns, int rows, std::string& error) {
    int master = -1, slave = -1;
    winsize size = window_size(columns, rows);
    if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        error = std::strerror(errno);
        return -1;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    process_ = std::make_unique<QProcess>();
    process_->setProgram(QString::fromStdString(interpreter));
    process_->setArguments({QString::fromStdString(argument)});
    process_->setWorkingDirectory(QString::fromStdString(folder));
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
    // In the child, before the interpreter starts: its own session with the pty as its
    // controlling terminal and as all three standard streams.
    process_->setChildProcessModifier([slave, master]() {
        ::setsid();
        ::ioctl(slave, TIOCSCTTY, 0);
        ::dup2(slave, 0);
        ::dup2(slave, 1);
        ::dup2(slave, 2);
        if (slave > 2) ::close(slave);
        ::close(master);
    });
    process_->start();
    ::close(slave);
    if (!process_->waitForStarted(5000)) {
        error = process_->errorString().toStdString();
        ::close(master);
        process_.reset();
        return -1;
    }
    size_fd_ = ::fcntl(master, F_DUPFD_CLOEXEC, 0);
    return master;
}

void LocalRun::set_size(int columns, int rows) {
    if (size_fd_ < 0) return;
    winsize size = window_size(columns, rows);
    ::ioctl(size_fd_, TIOCSWINSZ, &size);
}

void LocalRun::stop() {
    if (!running()) return;
    ::kill(static_cast<pid_t>(process_->processId()), SIGHUP);
    QProcess* process = process_.get();
    QTimer::singleShot(1000, process, [process] {
        if (process->state() != QProcess::NotRunning) process->kill();
    });
}
