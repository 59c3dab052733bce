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
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSysInfo>

#include <sys/stat.h>

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
    int run_second_start(const QStringList& arguments) {
        QProcess second;
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
    EXPECT_EQ(received[0], "/a.bas\n/b.bas");

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

TEST_F(HandOverTest, LockOfACrashedInstanceDoesNotStopANewStart) {
    InstanceChannel other = instance_channel(path("runtime"), "crashed");
    // A lock file naming a process on this machine that no longer exists.
    write_file(other.lock_path, "999999\nzelledit\n" + QSysInfo::machineHostName().toStdString() +
                                    "\n" + QSysInfo::machineUniqueId().toStdString() + "\n");
    InstanceGuard fresh;
    EXPECT_TRUE(acquire_instance(fresh, other));
    InstanceGuard second;
    EXPECT_FALSE(acquire_instance(second, other));
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
