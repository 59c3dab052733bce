// The real program answers --help, --version and a wrong option at once, before any window,
// lock or settings exist.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Finished {
    int exit_code = -1;
    std::string out, err;
};

// Runs the program with its own empty home and runtime folders and no display.
Finished run_program(const QStringList& arguments, const QTemporaryDir& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), folder.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("run")));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZELL_PROGRAM), arguments);
    Finished finished;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    if (process.exitStatus() == QProcess::NormalExit) finished.exit_code = process.exitCode();
    finished.out = process.readAllStandardOutput().toStdString();
    finished.err = process.readAllStandardError().toStdString();
    return finished;
}

class ProgramCommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath(QStringLiteral("home"));
        QDir(folder.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(folder.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Nothing was written: no settings, data folder, lock or socket.
    void expect_nothing_written() {
        EXPECT_TRUE(QDir(folder.filePath(QStringLiteral("home")))
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty());
        EXPECT_TRUE(QDir(folder.filePath(QStringLiteral("run")))
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty());
    }
    QTemporaryDir folder;
};

} // namespace

TEST_F(ProgramCommandLine, VersionAndHelpPrintAndEnd) {
    Finished version = run_program({QStringLiteral("--version")}, folder);
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, "Zell Edit V0.9\n");
    EXPECT_EQ(version.err, "");

    Finished help = run_program({QStringLiteral("a.bas"), QStringLiteral("--help")}, folder);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("Usage: zelledit [OPTION]... [FILE]...\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.err, "");
    expect_nothing_written();
}

TEST_F(ProgramCommandLine, WrongOptionsAreToldOnStandardErrorWithExitCodeTwo) {
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--frobnicate")},
          QStringList{QStringLiteral("a.bas"), QStringLiteral("-")}}) {
        Finished wrong = run_program(arguments, folder);
        EXPECT_EQ(wrong.exit_code, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(wrong.out, "");
        EXPECT_EQ(wrong.err.rfind("zelledit: ", 0), 0u) << wrong.err;
        EXPECT_NE(wrong.err.find("--help"), std::string::npos);
    }
    EXPECT_NE(run_program({QStringLiteral("--frobnicate")}, folder).err.find("'--frobnicate'"),
              std::string::npos);
    expect_nothing_written();
}
