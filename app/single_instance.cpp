// Single-instance lock and the hand-over of file lists between two starts of the editor.
#include "app/single_instance.h"

#include "app/hand_over.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user of the process at the other end of a connected local socket, or -1.
long peer_owner(qintptr descriptor) {
#ifdef SO_PEERCRED
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return static_cast<long>(credentials.uid);
#else
    (void)descriptor;
    return static_cast<long>(getuid());
#endif
}

bool make_folder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

InstanceGuard::InstanceGuard() = default;
InstanceGuard::~InstanceGuard() {
    if (lock_fd >= 0) ::close(lock_fd);
}

InstanceChannel instance_channel(const std::string& folder_path, const std::string& user) {
    std::string folder = folder_path;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return {folder + "zelledit-" + user + ".lock", folder + "zelledit-" + user + ".socket"};
}

bool is_private_folder(const std::string& folder) {
    struct stat info {};
    if (folder.empty() || ::lstat(folder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

std::string private_instance_folder(const std::string& runtime_folder, const std::string& home) {
    if (is_private_folder(runtime_folder)) return runtime_folder;
    if (home.empty() || home.front() != '/') return {};
    // ~/.local/state/zelledit, each missing level made for this user only.
    std::string folder = home;
    for (const char* part : {"/.local", "/.local/state", "/.local/state/zelledit"})
        if (!make_folder(home + part)) return {};
    folder += "/.local/state/zelledit";
    return is_private_folder(folder) ? folder : std::string();
}

bool acquire_instance(InstanceGuard& guard, const InstanceChannel& channel) {
    int fd = ::open(channel.lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // The lock file cannot be made (an unwritable folder): run without the single-instance
    // rule rather than refuse to start.
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    guard.lock_fd = fd;
    return true;
}

namespace {

// How often a listener with a waiting list tells the sender that it is alive.
constexpr int alive_interval_ms = 1000;
constexpr char alive_byte = '.', taken_byte = '1', refused_byte = '0';

// Starts the wait for the listener's answer to a complete list on `socket`.
void pass_on(QLocalSocket* socket, const std::string& list,
             const std::function<void(const std::string&, HandOverReply)>& receive) {
    QPointer<QLocalSocket> guarded(socket);
    auto* alive = new QTimer(socket);
    alive->setInterval(alive_interval_ms);
    QObject::connect(alive, &QTimer::timeout, socket, [socket]() {
        socket->write(&alive_byte, 1);
        socket->flush();
    });
    alive->start();
    auto answered = std::make_shared<bool>(false);
    HandOverReply reply;
    reply.sender_waits = [guarded]() {
        return guarded && guarded->state() == QLocalSocket::ConnectedState;
    };
    reply.answer = [guarded, answered](bool taken) {
        if (*answered || !guarded) return;
        *answered = true;
        if (QTimer* timer = guarded->findChild<QTimer*>()) timer->stop();
        guarded->write(taken ? &taken_byte : &refused_byte, 1);
        guarded->flush();
        guarded->disconnectFromServer();
        guarded->deleteLater();
    };
    receive(list, reply);
}

} // namespace

bool listen_for_hand_over(InstanceGuard& guard, const InstanceChannel& channel,
                          std::function<void(const std::string& list)> receive) {
    return listen_for_hand_over(guard, channel,
                                [receive](const std::string& list, HandOverReply reply) {
                                    receive(list);
                                    reply.answer(true);
                                });
}

bool listen_for_hand_over(
    InstanceGuard& guard, const InstanceChannel& channel,
    std::function<void(const std::string& list, HandOverReply reply)> receive) {
    QString name = QFile::decodeName(channel.socket_path.c_str());
    QLocalServer::removeServer(name); // left behind by a crashed instance; we hold the lock
    guard.server = std::make_unique<QLocalServer>();
    guard.server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!guard.server->listen(name)) return false;
    QLocalServer* server = guard.server.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [server, receive]() {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            // The folder already keeps other users out; this guards against one shared by
            // mistake.
            if (peer_owner(socket->socketDescriptor()) != static_cast<long>(getuid())) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            auto buffer = std::make_shared<QByteArray>();
            auto done = std::make_shared<bool>(false);
            // Takes the list once: at the terminating zero byte or at the size cap. A sender
            // that goes away before either may have been cut short, so its bytes are dropped.
            auto complete = [socket, buffer, done, receive]() {
                if (*done) return;
                *done = true;
                pass_on(socket,
                        decode_hand_over(std::string_view(
                            buffer->constData(), static_cast<std::size_t>(buffer->size()))),
                        receive);
            };
            QObject::connect(
                socket, &QLocalSocket::readyRead, socket, [socket, buffer, done, complete]() {
                    QByteArray chunk = socket->readAll();
                    if (*done) return;
                    qsizetype room = static_cast<qsizetype>(hand_over_cap) + 1 - buffer->size();
                    if (room > 0) buffer->append(chunk.left(room));
                    if (buffer->contains('\0') || buffer->size() > qsizetype(hand_over_cap))
                        complete();
                });
            // A sender that went away: before its list was whole, the bytes are dropped; after,
            // it opens the files itself and the waiting list is not opened here.
            QObject::connect(socket, &QLocalSocket::disconnected, socket,
                             [socket]() { socket->deleteLater(); });
        }
    });
    return true;
}

HandOverResult hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms,
                         long expected_owner) {
    if (expected_owner < 0) expected_owner = static_cast<long>(getuid());
    QString name = QFile::decodeName(channel.socket_path.c_str());
    QByteArray message = QByteArray::fromStdString(encode_hand_over(list));
    QDeadlineTimer deadline(timeout_ms);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(500)) {
            QThread::msleep(100); // the first instance may still be starting
            continue;
        }
        // Our file list goes to a process of our own or nowhere.
        if (peer_owner(socket.socketDescriptor()) != expected_owner) {
            socket.abort();
            return HandOverResult::refused;
        }
        socket.write(message);
        socket.write(QByteArray(1, '\0')); // end of message
        socket.waitForBytesWritten(2000);
        // The answer may take as long as a dialog stays open over there, while the listener
        // keeps saying it is alive; silence for the whole timeout means it is frozen.
        for (;;) {
            if (!socket.bytesAvailable() && !socket.waitForReadyRead(timeout_ms)) {
                const bool gone = socket.state() != QLocalSocket::ConnectedState;
                socket.abort();
                return gone ? HandOverResult::refused : HandOverResult::no_answer;
            }
            char byte = 0;
            while (socket.getChar(&byte)) {
                if (byte == taken_byte) return HandOverResult::taken;
                if (byte == refused_byte) return HandOverResult::refused;
            }
        }
    }
    return HandOverResult::no_answer;
}

bool send_hand_over(const InstanceChannel& channel, const std::string& list, int timeout_ms,
                    long expected_owner) {
    return hand_over(channel, list, timeout_ms, expected_owner) == HandOverResult::taken;
}
