// Single-instance lock and the hand-over of file lists between two starts of the editor.
#include "app/single_instance.h"

#include "app/hand_over.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// Only connections from processes of this user are read. The socket's permissions already
// keep others out; the credential check guards against a folder shared by mistake.
bool peer_is_same_user(QLocalSocket* socket) {
#ifdef Q_OS_LINUX
    struct ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                   &credentials, &size) != 0)
        return false;
    return credentials.uid == getuid();
#else
    (void)socket;
    return true;
#endif
}

} // namespace

InstanceGuard::InstanceGuard() = default;
InstanceGuard::~InstanceGuard() = default;

InstanceChannel instance_channel(const std::string& runtime_folder, const std::string& user) {
    std::string folder = runtime_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return {folder + "zelledit-" + user + ".lock", folder + "zelledit-" + user + ".socket"};
}

bool acquire_instance(InstanceGuard& guard, const InstanceChannel& channel) {
    guard.lock = std::make_unique<QLockFile>(QFile::decodeName(channel.lock_path.c_str()));
    // A running instance holds the lock for its whole life; a dead holder's lock is stale at
    // once (QLockFile checks whether the recorded process still runs).
    guard.lock->setStaleLockTime(0);
    if (guard.lock->tryLock(0)) return true;
    if (guard.lock->error() == QLockFile::LockFailedError) return false;
    // The lock file could not be created at all (unwritable folder): run without the
    // single-instance rule rather than refuse to start.
    return true;
}

bool listen_for_hand_over(InstanceGuard& guard, const InstanceChannel& channel,
                          std::function<void(const std::string& list)> receive) {
    QString name = QFile::decodeName(channel.socket_path.c_str());
    QLocalServer::removeServer(name); // left behind by a crashed instance; we hold the lock
    guard.server = std::make_unique<QLocalServer>();
    guard.server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!guard.server->listen(name)) return false;
    QLocalServer* server = guard.server.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, receive]() {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            if (!peer_is_same_user(socket)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            auto buffer = std::make_shared<QByteArray>();
            auto done = std::make_shared<bool>(false);
            // Takes the list once: at the terminating zero byte, at the size cap, or when the
            // sender goes away without one.
            auto complete = [socket, buffer, done, receive](bool acknowledge) {
                if (*done) return;
                *done = true;
                std::string list = decode_hand_over(std::string_view(
                    buffer->constData(), static_cast<std::size_t>(buffer->size())));
                if (acknowledge) {
                    socket->write("1"); // the sender may end now
                    socket->flush();
                }
                socket->disconnectFromServer();
                socket->deleteLater();
                receive(list);
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer, complete]() {
                QByteArray chunk = socket->readAll();
                qsizetype room = static_cast<qsizetype>(hand_over_cap) + 1 - buffer->size();
                if (room > 0) buffer->append(chunk.left(room));
                if (buffer->contains('\0') || buffer->size() > qsizetype(hand_over_cap))
                    complete(true);
            });
            QObject::connect(socket, &QLocalSocket::disconnected, socket,
                             [complete]() { complete(false); });
        }
    });
    return true;
}

bool send_hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms) {
    QString name = QFile::decodeName(channel.socket_path.c_str());
    QByteArray message = QByteArray::fromStdString(encode_hand_over(list));
    QDeadlineTimer deadline(timeout_ms);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) {
            socket.write(message);
            socket.write(QByteArray(1, '\0')); // end of message
            socket.waitForBytesWritten(2000);
            // Wait for the acknowledgement, so the list is not lost if we end too early.
            bool acknowledged = socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 100)));
            socket.disconnectFromServer();
            return acknowledged;
        }
        QThread::msleep(100); // the first instance may still be starting
    }
    return false;
}
