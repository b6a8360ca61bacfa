#pragma once

#include <QFile>
#include <QHash>
#include <QSslKey>
#include <QSslServer>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace testing_support {

// A whole HTTP/1.1 response that closes the connection after it.
inline QByteArray http(const QByteArray& status, const QByteArray& body = {},
                       const QByteArray& headers = {}) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n" + headers + "\r\n" + body;
}

// The certificate for 127.0.0.1 that the build made (tests/CMakeLists.txt).
inline QSslCertificate testCertificate() {
    return QSslCertificate::fromPath(QStringLiteral(FENDRY_TEST_CERTIFICATE)).value(0);
}

struct Request {
    QByteArray head;
    QByteArray body;
};

// A server on 127.0.0.1, over https with the test certificate or plain http, that answers each
// request with the scripted response for its path (%PORT% becomes its own port) and records it.
class HttpServer {
public:
    // Drips: after the response, one byte more every 20 ms, for ever. Silent: accepts and never
    // speaks (over https: after the handshake). Refused: nothing listens on its port.
    enum Mode { Answers, Drips, Silent, Refused };

    explicit HttpServer(QHash<QByteArray, QByteArray> responses, Mode mode = Answers,
                        bool tls = true)
        : responses_(std::move(responses)), scheme_(tls ? "https" : "http") {
        if (tls) {
            auto* server = new QSslServer;
            server_.reset(server);
            QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
            configuration.setLocalCertificate(testCertificate());
            QFile key(QStringLiteral(FENDRY_TEST_KEY));
            key.open(QIODevice::ReadOnly);
            configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
            server->setSslConfiguration(configuration);
        } else {
            server_ = std::make_unique<QTcpServer>();
        }
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, server_.get(),
                         [this, mode] {
                             while (QTcpSocket* socket = server_->nextPendingConnection()) {
                                 if (mode != Silent) {
                                     QObject::connect(socket, &QIODevice::readyRead, socket,
                                                      [=, this] { read(socket, mode); });
                                 }
                             }
                         });
        server_->listen(QHostAddress::LocalHost);
        port_ = server_->serverPort();
        if (mode == Refused) {
            server_->close();
        }
    }

    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme_).arg(port_).arg(path));
    }
    const QList<Request>& requests() const { return requests_; }

private:
    void read(QTcpSocket* socket, Mode mode) {
        QByteArray& data = pending_[socket];
        data += socket->readAll();
        const qsizetype end = data.indexOf("\r\n\r\n");
        qsizetype length = 0;
        for (const QByteArray& line : data.left(end).split('\n')) {
            if (line.toLower().startsWith("content-length:")) {
                length = line.mid(15).trimmed().toLongLong();
            }
        }
        if (end < 0 || data.size() < end + 4 + length) {
            return;  // the rest is still on its way
        }
        requests_.append({data.left(end), data.mid(end + 4, length)});
        const QByteArray path = data.split(' ').value(1);
        socket->write(responses_.value(path).replace("%PORT%", QByteArray::number(port_)));
        if (mode == Answers) {
            socket->disconnectFromHost();
            return;
        }
        auto* drip = new QTimer(socket);
        QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write(" "); });
        drip->start(20);
    }

    std::unique_ptr<QTcpServer> server_;
    QHash<QByteArray, QByteArray> responses_;
    QString scheme_;
    QHash<QTcpSocket*, QByteArray> pending_;
    QList<Request> requests_;
    quint16 port_ = 0;
};

}  // namespace testing_support
