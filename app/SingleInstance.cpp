#include "SingleInstance.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>
#include <cerrno>
#include <optional>

namespace fendry {

namespace {

// A message is its length (4 bytes, big-endian), then each path followed by a NUL byte. The
// running instance answers that it has it; the launch answers that it is still there.
constexpr qint64 kHeaderBytes = 4;
constexpr char kReceived = '\n';
constexpr char kStillThere = '\n';
// Launches served at once; the rest wait in the socket's queue instead of using up descriptors.
constexpr int kMaxConnections = 8;

bool isPrivateFolder(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

// The first folder of ours among those named with `prefix` in `temp`, in name order, so that
// launches racing to make one agree on which.
QString firstPrivateFolder(const QDir& temp, const QString& prefix) {
    const QStringList names = temp.entryList(
        {prefix + QLatin1Char('*')}, QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (const QString path = temp.filePath(name); isPrivateFolder(path)) {
            return path;
        }
    }
    return {};
}

bool peerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::geteuid();
}

}  // namespace

QString SingleInstance::defaultServerName() {
    const QString folder =
        privateFolder(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")), QDir::tempPath());
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/fendry.socket");
}

QString SingleInstance::privateFolder(const QString& runtime, const QString& temp) {
    if (isPrivateFolder(runtime)) {
        return runtime;
    }
    // A fixed name in the shared folder could be taken first by another user.
    const QDir tempFolder(temp);
    const QString prefix = QStringLiteral("fendry-%1-").arg(::geteuid());
    if (QString found = firstPrivateFolder(tempFolder, prefix); !found.isEmpty()) {
        return found;
    }
    QByteArray made = QFile::encodeName(tempFolder.filePath(prefix + QStringLiteral("XXXXXX")));
    if (::mkdtemp(made.data()) == nullptr) {
        return {};
    }
    const QString chosen = firstPrivateFolder(tempFolder, prefix);
    if (chosen != QFile::decodeName(made)) {
        ::rmdir(made.constData());  // another launch made one first
    }
    return chosen;
}

SingleInstance::LaunchLock::LaunchLock(const QString& serverName) {
    if (serverName.isEmpty()) {
        return;
    }
    fd_ = ::open(QFile::encodeName(serverName + QStringLiteral(".lock")).constData(),
                 O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

SingleInstance::LaunchLock::~LaunchLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // and the lock with it
    }
}

SingleInstance::HandOver SingleInstance::handOver(const QString& serverName, const Items& items,
                                                  std::chrono::milliseconds timeout) {
    const int timeoutMs = static_cast<int>(timeout.count());
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs)) {
        return HandOver::NoInstance;
    }
    if (!peerIsThisUser(socket)) {
        return HandOver::Refused;
    }
    QByteArray message(kHeaderBytes, '\0');
    for (const auto& item : items) {
        message += QByteArray::fromStdString(item.native());
        message += '\0';
    }
    const qint64 length = message.size() - kHeaderBytes;
    if (items.size() > kMaxItems || length > kMaxMessageBytes) {
        return HandOver::TooMany;
    }
    qToBigEndian(static_cast<quint32>(length), message.data());
    const auto sent = [&] {
        while (socket.bytesToWrite() > 0) {
            if (!socket.waitForBytesWritten(timeoutMs)) {
                return false;
            }
        }
        return true;
    };
    socket.write(message);
    if (!sent() || !socket.waitForReadyRead(timeoutMs) ||
        socket.read(1) != QByteArray(1, kReceived)) {
        return HandOver::Failed;
    }
    // Once written, the answer waits in the running one's socket: it is read before the
    // connection is let go.
    socket.write(QByteArray(1, kStillThere));
    return sent() ? HandOver::Taken : HandOver::Failed;
}

SingleInstance::SingleInstance(std::chrono::milliseconds connectionDeadline, QObject* parent)
    : QObject(parent), connectionDeadline_(connectionDeadline) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.setMaxPendingConnections(kMaxConnections);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnections);
}

// The sockets go with the server, after this object has stopped being one.
SingleInstance::~SingleInstance() {
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) {
        disconnect(socket, nullptr, this, nullptr);
    }
}

bool SingleInstance::listen(const QString& serverName) {
    if (server_.listen(serverName)) {
        return true;
    }
    if (server_.serverError() != QAbstractSocket::AddressInUseError) {
        return false;
    }
    QLocalServer::removeServer(serverName);
    return server_.listen(serverName);
}

// One launch on the line, living with its connection: its items once its message is in, and
// its deadline.
struct SingleInstance::Launch final : QObject {
    explicit Launch(QLocalSocket* socket) : QObject(socket) { deadline.setSingleShot(true); }
    std::optional<Items> items;
    QTimer deadline;
};

// Connections left pending are not accepted by Qt once its queue is full, so a crowd of idle
// ones waits in the socket's backlog rather than using up the descriptors; an accept that fails
// would close the server for good.
void SingleInstance::takeConnections() {
    while (connections_ < kMaxConnections) {
        QLocalSocket* socket = server_.nextPendingConnection();
        if (socket == nullptr) {
            return;
        }
        ++connections_;
        socket->setReadBufferSize(kHeaderBytes + kMaxMessageBytes);
        auto* launch = new Launch(socket);
        connect(socket, &QObject::destroyed, this, [this] {
            --connections_;
            takeConnections();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, launch] { read(socket, *launch); });
        connect(&launch->deadline, &QTimer::timeout, socket, [socket, launch] {
            // What came while the window was busy is read first: a message that is only now
            // answered gets its own time for the launch's reply.
            const bool wasReceived = launch->items.has_value();
            socket->waitForReadyRead(0);  // read() takes it, through readyRead
            if (wasReceived || !launch->items) {
                socket->deleteLater();
            }
        });
        launch->deadline.start(connectionDeadline_);
        read(socket, *launch);  // what came before the connection was taken
    }
}

void SingleInstance::read(QLocalSocket* socket, Launch& launch) {
    if (!launch.items) {
        if (socket->bytesAvailable() < kHeaderBytes) {
            return;
        }
        const qint64 length = qFromBigEndian<quint32>(socket->peek(kHeaderBytes).constData());
        if (length > kMaxMessageBytes) {
            socket->deleteLater();
            return;
        }
        if (socket->bytesAvailable() < kHeaderBytes + length) {
            return;  // the rest is still on its way
        }
        socket->skip(kHeaderBytes);
        const QList<QByteArray> paths = socket->read(length).split('\0');
        if (static_cast<std::size_t>(paths.size()) > kMaxItems + 1) {  // the last is empty
            socket->deleteLater();
            return;
        }
        Items& items = launch.items.emplace();
        for (const QByteArray& path : paths) {
            if (path.startsWith('/') && path.size() <= kMaxPathBytes) {
                items.emplace_back(path.toStdString());
            }
        }
        socket->write(QByteArray(1, kReceived));
        socket->flush();
        launch.deadline.start(connectionDeadline_);
    }
    if (socket->bytesAvailable() < 1) {
        return;
    }
    const bool stillThere = socket->read(1) == QByteArray(1, kStillThere);
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    launch.deadline.stop();
    socket->deleteLater();
    if (stillThere) {
        emit launched(*launch.items);
    }
}

}  // namespace fendry
