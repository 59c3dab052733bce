// A second start hands its files to the running editor and ends at once.
#include "app/app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class HandOverTest : public AppFixture {
  protected:
    void SetUp() override {
        runtime = path("runtime");
        QDir().mkpath(QString::fromStdString(runtime));
        ::chmod(runtime.c_str(), 0700);
        channel = instance_channel(runtime, user());
        ASSERT_TRUE(acquire_instance(guard, channel));
    }

    static std::string user() {
        QString name = qEnvironmentVariable("USER");
        if (name.isEmpty()) name = qEnvironmentVariable("LOGNAME");
        return name.isEmpty() ? std::string("user") : name.toStdString();
    }

    // Starts the real program as a second instance; returns its exit code.
    int run_second_start(const QStringList& arguments, const std::string& folder = {}) {
        QProcess second;
        if (!folder.empty()) second.setWorkingDirectory(QString::fromStdString(folder));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime));
        environment.insert(QStringLiteral("USER"), QString::fromStdString(user()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(path("second-home")));
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(ZELL_PROGRAM), arguments);
        // Keep our own event loop turning so the running instance answers.
        QElapsedTimer timer;
        timer.start();
        while (second.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
            process_events();
            second.waitForFinished(20);
        }
        process_events();
        if (second.state() != QProcess::NotRunning) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
    }

    std::string runtime;
    InstanceChannel channel;
    InstanceGuard guard;
};

} // namespace

TEST_F(HandOverTest, SecondStartHandsItsFilesOverAndEnds) {
    start();
    std::vector<std::string> received;
    listen_for_hand_over(guard, channel, [&](const std::string& list) {
        received.push_back(list);
        receive_hand_over(*app, list);
    });
    std::string first = path("one.bas"), second = path("two words \xC3\xBC.bas");
    write_file(first, "PRINT 1\r\n");
    write_file(second, "PRINT 2\r\n");

    EXPECT_EQ(run_second_start({QString::fromStdString(first), QString::fromStdString(second)}), 0);
    ASSERT_EQ(received.size(), 1u);
    // The list is the command line's: every argument preceded by one LF.
    EXPECT_EQ(received[0], "\n" + first + "\n" + second);
    // The first instance opened both, after the new document it started with.
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(app->documents.documents[1].path, first);
    EXPECT_EQ(app->documents.documents[2].path, second);
    EXPECT_EQ(sci_text(app->editor), "PRINT 2\r\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("second-home/.local/share/Brevant"))));
}

TEST_F(HandOverTest, SecondStartWithoutFilesStillReachesTheRunningInstance) {
    start();
    int calls = 0;
    listen_for_hand_over(guard, channel, [&](const std::string& list) {
        ++calls;
        EXPECT_EQ(list, "");
    });
    EXPECT_EQ(run_second_start({}), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(HandOverTest, OversizedMessageIsCappedAndZeroBytesEndIt) {
    std::vector<std::string> received;
    listen_for_hand_over(guard, channel,
                         [&](const std::string& list) { received.push_back(list); });
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(channel.socket_path));
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(QByteArray("  /a.bas\n/b.bas  ") + QByteArray(1, '\0') + QByteArray("/hidden"));
    socket.flush();
    QElapsedTimer timer;
    timer.start();
    while (received.empty() && timer.elapsed() < 5000) process_events();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "  /a.bas\n/b.bas  ");

    QLocalSocket big;
    big.connectToServer(QString::fromStdString(channel.socket_path));
    ASSERT_TRUE(big.waitForConnected(2000));
    big.write(QByteArray(3 << 20, 'x'));
    timer.restart();
    while (received.size() < 2 && timer.elapsed() < 10000) {
        process_events();
        big.waitForBytesWritten(10);
    }
    ASSERT_EQ(received.size(), 2u);
    EXPECT_LE(received[1].size(), std::size_t(1) << 20);
}

TEST_F(HandOverTest, ALockNoLiveProcessHoldsNeverStopsAStart) {
    InstanceChannel other = instance_channel(path("runtime"), "crashed");
    // Lock files left behind, naming a dead process here and a process on another host.
    for (const std::string& host :
         {QSysInfo::machineHostName().toStdString(), std::string("elsewhere.example")}) {
        write_file(other.lock_path, "999999\nzelledit\n" + host + "\nid\n");
        InstanceGuard fresh;
        EXPECT_TRUE(acquire_instance(fresh, other)) << host;
        InstanceGuard second;
        EXPECT_FALSE(acquire_instance(second, other)) << host;
    }
}

TEST_F(HandOverTest, OnlyAPrivateFolderOfThisUserHoldsTheLockAndTheSocket) {
    std::string open_folder = path("shared");
    QDir().mkpath(QString::fromStdString(open_folder));
    ::chmod(open_folder.c_str(), 01777); // like /tmp
    EXPECT_FALSE(is_private_folder(open_folder));
    EXPECT_TRUE(is_private_folder(runtime));
    std::string link = path("link-to-runtime");
    ASSERT_EQ(::symlink(runtime.c_str(), link.c_str()), 0);
    EXPECT_FALSE(is_private_folder(link)); // a link could be pointed elsewhere later
    EXPECT_FALSE(is_private_folder(path("missing")));

    // Without a private runtime folder the program's own folder in the home is made, 0700.
    std::string home_folder = path("home");
    QDir().mkpath(QString::fromStdString(home_folder));
    std::string chosen = private_instance_folder(open_folder, home_folder);
    EXPECT_EQ(chosen, home_folder + "/.local/state/zelledit");
    struct stat info {};
    ASSERT_EQ(::stat(chosen.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(private_instance_folder(runtime, home_folder), runtime);
    // A home folder of the program's that others can write is refused: no hand-over at all.
    ::chmod(chosen.c_str(), 0777);
    EXPECT_EQ(private_instance_folder(open_folder, home_folder), "");
}

TEST_F(HandOverTest, NothingIsSentToAListenerOfAnotherUser) {
    int calls = 0;
    listen_for_hand_over(guard, channel, [&](const std::string&) { ++calls; });
    // Our own server stands in for another user's: the sender expects someone else.
    EXPECT_FALSE(send_hand_over(channel, "\n/secret.bas", 1000, static_cast<long>(getuid()) + 1));
    process_events();
    EXPECT_EQ(calls, 0);
}

TEST_F(HandOverTest, RelativeNamesFromAnotherFolderAndTrailingBlanksArriveWhole) {
    start();
    listen_for_hand_over(guard, channel,
                         [&](const std::string& list) { receive_hand_over(*app, list); });
    std::string folder = path("elsewhere");
    QDir().mkpath(QString::fromStdString(folder));
    write_file(folder + "/prog.bas", "PRINT 1\r\n");
    write_file(folder + "/x.bas ", "PRINT 2\r\n");
    EXPECT_EQ(run_second_start({QStringLiteral("prog.bas"), QStringLiteral("./x.bas ")}, folder),
              0);
    ASSERT_EQ(app->documents.count(), 3);
    EXPECT_EQ(app->documents.documents[1].path, folder + "/prog.bas");
    EXPECT_EQ(app->documents.documents[2].path, folder + "/x.bas ");
    EXPECT_EQ(sci_text(app->editor), "PRINT 2\r\n");
}

TEST_F(HandOverTest, FilesHandedOverWhileADialogIsOpenWaitForItToClose) {
    start();
    std::string file = path("later.bas");
    write_file(file, "PRINT 3\r\n");
    const int before = app->documents.count();
    const int shown = app->documents.current;
    QDialog dialog(app->window.get());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    process_events();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    receive_hand_over(*app, "\n" + file);
    process_events();
    // The document the dialog is about stays current.
    EXPECT_EQ(app->documents.count(), before);
    EXPECT_EQ(app->documents.current, shown);
    dialog.close();
    QElapsedTimer timer;
    timer.start();
    while (app->documents.count() == before && timer.elapsed() < 5000) process_events();
    ASSERT_EQ(app->documents.count(), before + 1);
    EXPECT_EQ(app->documents.documents.back().path, file);
}

namespace {

// A second start that may become an editor of its own: its data folder shows what it opened
// (the recent list is written as soon as files open).
class SecondStart {
  public:
    SecondStart(const std::string& runtime, const std::string& home, const std::string& file)
        : recent_(home + "/data/Brevant/Zelledit/Zellrecent.ini"), file_(file) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString(home));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(home + "/data"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZELL_PROGRAM), {QString::fromStdString(file)});
    }
    ~SecondStart() {
        process.kill();
        process.waitForFinished();
    }
    bool opened_the_file() const {
        QFile recent(QString::fromStdString(recent_));
        return recent.open(QIODevice::ReadOnly) &&
               recent.readAll().contains(QByteArray::fromStdString(file_));
    }
    QProcess process;

  private:
    std::string recent_, file_;
};

} // namespace

TEST_F(HandOverTest, AListHandedToAnInstanceThatEndsIsOpenedByTheSecondStartItself) {
    start();
    int lists = 0;
    listen_for_hand_over(guard, channel, [&](const std::string& list, HandOverReply reply) {
        ++lists;
        receive_hand_over(*app, list, reply);
    });
    const std::string file = path("during-quit.bas");
    write_file(file, "PRINT 1\r\n");
    // The first instance is quitting: its save prompt is open when the list arrives.
    QDialog prompt(app->window.get());
    prompt.setWindowModality(Qt::ApplicationModal);
    prompt.show();
    process_events();
    const int documents = app->documents.count();
    SecondStart second(runtime, path("second-home"), file);
    QElapsedTimer timer;
    timer.start();
    while (lists == 0 && timer.elapsed() < 20000) process_events();
    ASSERT_EQ(lists, 1);
    // The second start waits while the prompt stays open; the instance hears that it is alive.
    for (int i = 0; i < 30; ++i) {
        process_events();
        QThread::msleep(50);
    }
    EXPECT_EQ(second.process.state(), QProcess::Running);
    // The prompt is answered and the instance ends: the list is refused, the lock let go.
    app->quit_flag = 1;
    prompt.close();
    timer.restart();
    while (timer.elapsed() < 1000) process_events();
    EXPECT_EQ(app->documents.count(), documents);
    guard.server.reset();
    ::close(guard.lock_fd);
    guard.lock_fd = -1;
    timer.restart();
    while (!second.opened_the_file() && timer.elapsed() < 20000) second.process.waitForFinished(50);
    EXPECT_TRUE(second.opened_the_file());
    EXPECT_EQ(second.process.state(), QProcess::Running); // it is the running editor now
    InstanceGuard third;
    EXPECT_FALSE(acquire_instance(third, channel));
}

TEST_F(HandOverTest, AFrozenInstanceDoesNotSwallowTheList) {
    // The lock is held and the socket listens, but this process turns no events: frozen.
    listen_for_hand_over(guard, channel, [&](const std::string&) { ADD_FAILURE(); });
    const std::string file = path("frozen.bas");
    write_file(file, "PRINT 1\r\n");
    SecondStart second(runtime, path("second-home"), file);
    QElapsedTimer timer;
    timer.start();
    while (!second.opened_the_file() && timer.elapsed() < 30000) second.process.waitForFinished(50);
    EXPECT_TRUE(second.opened_the_file());
    EXPECT_EQ(second.process.state(), QProcess::Running);
    EXPECT_NE(second.process.readAllStandardError().indexOf("does not answer"), -1);
}
