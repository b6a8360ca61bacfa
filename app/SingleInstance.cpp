#include "SingleInstance.h"

#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>

namespace {

constexpr int kTimeoutMs = 5000;
constexpr char kTaken = '\n';

}  // namespace

QString SingleInstance::defaultServerName() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
        return QString::fromLocal8Bit(runtime) + QStringLiteral("/fendry.socket");
    }
    return QDir::tempPath() + QStringLiteral("/fendry-%1.socket").arg(::getuid());
}

SingleInstance::HandOver SingleInstance::handOver(const QString& serverName, const Items& items) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kTimeoutMs)) {
        return HandOver::NoInstance;
    }
    QList<QByteArray> paths;
    for (const auto& item : items) {
        paths << QByteArray::fromStdString(item.native());
    }
    QDataStream out(&socket);
    out << paths;
    // Leaving before the running instance has read everything would lose items.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs)) {
            return HandOver::Failed;
        }
    }
    const bool taken = socket.waitForReadyRead(kTimeoutMs) && socket.read(1) == QByteArray(1, kTaken);
    return taken ? HandOver::Taken : HandOver::Failed;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
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

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QList<QByteArray> paths;
            in >> paths;
            if (!in.commitTransaction()) {
                return;  // the rest is still on its way
            }
            Items items;
            for (const QByteArray& path : paths) {
                if (path.startsWith('/') && !path.contains('\0')) {
                    items.emplace_back(path.toStdString());
                }
            }
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            emit launched(items);
        });
    }
}
