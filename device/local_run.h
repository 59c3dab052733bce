// Running a program with a desktop MMBasic interpreter on a pseudo-terminal, so that its
// console behaves as on a board (line editing, cursor keys, Ctrl+C, the screen's size).
#pragma once

#include <QObject>

#include <memory>
#include <optional>
#include <string>

struct DeviceContext;
class QProcess;

// The saved file of the current document, which the local run starts in its own folder (where
// its #INCLUDE and data files are). With unsaved changes the user chooses: save and run (Yes),
// run the file as last saved (No), or nothing (Cancel); a document without a file on disk is
// saved first or not run. Empty when nothing is to run.
std::string program_file_to_run(const DeviceContext& context);

// How the interpreter is told which program to run, started in the program's folder: the file
// name alone. The interpreter parses its argument as a BASIC string would be, so a name holding
// a blank or a comma goes in double quotes, and one starting with '-' gets "./" so that it is no
// option. Nothing when the name holds a double quote, which no quoting carries.
std::optional<std::string> interpreter_argument(const std::string& file_name);

class LocalRun : public QObject {
    Q_OBJECT
  public:
    LocalRun();
    ~LocalRun() override;

    // Starts `interpreter argument` in `folder` on a new pty of `columns` x `rows`. Returns the
    // pty's master descriptor for the caller's link (which then owns it), or -1 with `error` set.
    int start(const std::string& interpreter, const std::string& folder,
              const std::string& argument, int columns, int rows, std::string& error);
    // Gives the pty a new window size; the kernel tells the interpreter by SIGWINCH.
    void set_size(int columns, int rows);
    // Ends the interpreter: a hang-up first, then a kill if it does not go.
    void stop();
    bool running() const;

  private:
    std::unique_ptr<QProcess> process_;
    int size_fd_ = -1; // our own copy of the master, for the window size; the link owns the other
};
