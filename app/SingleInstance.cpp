#include "SingleInstance.h"

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace fendry {

namespace {

constexpr int kTimeoutMs = 5000;
constexpr char kTaken = '\n';
// A message is its length (4 bytes, big-endian), then each path followed by a NUL byte.
constexpr qint64 kHeaderBytes = 4;
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

SingleInstance::HandOver SingleInstance::handOver(const QString& serverName, const Items& items) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kTimeoutMs)) {
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
    if (length > kMaxMessageBytes) {
        return HandOver::Failed;
    }
    qToBigEndian(static_cast<quint32>(length), message.data());
    socket.write(message);
    // Leaving before the running instance has read everything would lose items.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs)) {
            return HandOver::Failed;
        }
    }
    const bool taken =
        socket.waitForReadyRead(kTimeoutMs) && socket.read(1) == QByteArray(1, kTaken);
    return taken ? HandOver::Taken : HandOver::Failed;
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
        connect(socket, &QObject::destroyed, this, [this] {
            --connections_;
            takeConnections();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        QTimer::singleShot(connectionDeadline_, socket, &QObject::deleteLater);
        read(socket);  // what came before the connection was taken
    }
}

void SingleInstance::read(QLocalSocket* socket) {
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
    const QByteArray message = socket->read(length);
    Items items;
    for (const QByteArray& path : message.split('\0')) {
        if (path.startsWith('/') && path.size() <= kMaxPathBytes) {
            items.emplace_back(path.toStdString());
        }
    }
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    socket->write(QByteArray(1, kTaken));
    socket->flush();
    emit launched(items);
}

}  // namespace fendry
