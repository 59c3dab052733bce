// Starting the local interpreter on a pty.
#include "device/local_run.h"

#include "tools/file_io.h"

#include <QProcess>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

LocalRun::LocalRun() = default;

LocalRun::~LocalRun() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(1000);
    }
}

bool LocalRun::running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

int LocalRun::start(const std::string& interpreter, const std::string& file_name,
                    const std::string& program, std::string& error) {
    if (!folder_.isValid()) {
        error = "no folder for the program copy";
        return -1;
    }
    std::string name = file_name.empty() ? "program.bas" : file_name;
    std::string path = folder_.path().toStdString() + "/" + name;
    WriteResult written = write_file_safely(path, program);
    if (!written.ok) {
        error = written.error;
        return -1;
    }
    int master = -1, slave = -1;
    winsize size{};
    size.ws_col = 100;
    size.ws_row = 30;
    if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        error = std::strerror(errno);
        return -1;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    process_ = std::make_unique<QProcess>();
    process_->setProgram(QString::fromStdString(interpreter));
    process_->setArguments({QString::fromStdString(path)});
    process_->setWorkingDirectory(folder_.path());
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
    return master;
}

void LocalRun::stop() {
    if (!running()) return;
    ::kill(static_cast<pid_t>(process_->processId()), SIGHUP);
    QProcess* process = process_.get();
    QTimer::singleShot(1000, process, [process] {
        if (process->state() != QProcess::NotRunning) process->kill();
    });
}
