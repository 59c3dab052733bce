// Running a program with a desktop MMBasic interpreter on a pseudo-terminal, so that its
// console behaves as on a board (line editing, cursor keys, Ctrl+C).
#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>
#include <string>

class QProcess;

class LocalRun : public QObject {
    Q_OBJECT
  public:
    LocalRun();
    ~LocalRun() override;

    // Writes `program` (8-bit text) to a private folder as `file_name` and starts
    // `interpreter file`. Returns the pty's master descriptor for the caller's link (which
    // then owns it), or -1 with `error` set.
    int start(const std::string& interpreter, const std::string& file_name,
              const std::string& program, std::string& error);
    // Ends the interpreter: a hang-up first, then a kill if it does not go.
    void stop();
    bool running() const;

  private:
    QTemporaryDir folder_;
    std::unique_ptr<QProcess> process_;
};
