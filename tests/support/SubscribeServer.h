#pragma once

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "Http.h"

namespace testing_support {

struct Request {
    QByteArray head;
    QByteArray body;
};

// Answers every request on 127.0.0.1 with one scripted response, or not at all when it is empty;
// after answering it hangs up, or sends more of the body for ever.
class SubscribeServer {
public:
    enum AfterAnswer { HangUp, KeepSending };

    explicit SubscribeServer(QByteArray response, AfterAnswer after = HangUp)
        : response_(std::move(response)), after_(after) {
        QObject::connect(&server_, &QTcpServer::pendingConnectionAvailable, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QIODevice::readyRead, socket,
                                 [this, socket] { read(socket); });
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }

    QUrl url() const {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/mailinglist.php").arg(server_.serverPort()));
    }
    const QList<Request>& requests() const { return requests_; }

private:
    void read(QTcpSocket* socket) {
        QByteArray& data = pending_[socket];
        data += socket->readAll();
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        const QByteArray head = data.left(end);
        qsizetype length = 0;
        for (const QByteArray& line : head.split('\n')) {
            if (line.toLower().startsWith("content-length:")) {
                length = line.mid(15).trimmed().toLongLong();
            }
        }
        if (data.size() < end + 4 + length) {
            return;
        }
        requests_.append({head, data.mid(end + 4, length)});
        if (!response_.isEmpty()) {
            socket->write(response_);
            if (after_ == HangUp) {
                socket->disconnectFromHost();
            } else {
                auto* more = new QTimer(socket);
                QObject::connect(more, &QTimer::timeout, socket,
                                 [socket] { socket->write(QByteArray(1024, 'x')); });
                more->start(20);
            }
        }
    }

    QTcpServer server_;
    QByteArray response_;
    AfterAnswer after_;
    QHash<QTcpSocket*, QByteArray> pending_;
    QList<Request> requests_;
};

}  // namespace testing_support
