#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslSocket>
#include <QUrl>
#include <utility>

namespace fendry {

// One HTTP/1.1 request over a connection of its own, and its answer, with a bound on each part
// of the answer. Qt's own client (6.4) reads a response's header without any limit: a server
// sending headers for ever filled memory at the speed of the network.
class HttpExchange final : public QObject {
    Q_OBJECT

public:
    // A status line and headers take a few hundred bytes; servers' own limits are 8 to 16 KiB.
    static constexpr qsizetype kMaxHeadBytes = 16 * 1024;

    struct Request {
        QByteArray method = "GET";
        QUrl url;  // https, or http where the caller allows it
        QList<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;
        // Trusted besides the system's certificate authorities.
        QList<QSslCertificate> extraCaCertificates;
        // 0: the answer ends with its head; the body is neither waited for nor kept.
        qint64 maxBodyBytes = 0;
    };

    enum class Failure {
        None,
        Connection,  // could not connect, or the connection broke; errorString() says why
        Tls,         // no secure connection to the host named
        TooLarge,    // the head or the body is over its bound
        Malformed,   // not HTTP/1.x, or cut short
    };

    explicit HttpExchange(Request request, QObject* parent = nullptr);
    ~HttpExchange() override;

    void start();
    // Ends the exchange at once; finished() is not emitted.
    void abort();

    Failure failure() const { return failure_; }
    // The socket's own words when the connection or its security failed.
    QString errorString() const { return errorString_; }
    int status() const { return status_; }
    // The first value of header `name` (any letter case), without surrounding blanks.
    QByteArray header(QByteArrayView name) const;
    const QByteArray& body() const { return body_; }
    const QUrl& url() const { return request_.url; }

signals:
    // Once: with a status, or with a failure.
    void finished();

private:
    enum class Stage { Head, Body, Chunks, Done };

    void send();
    void read();
    bool readHead();
    bool readBody();
    bool readChunks();
    void connectionEnded();
    void complete();
    void fail(Failure failure, const QString& reason = {});

    Request request_;
    QSslSocket socket_;
    Stage stage_ = Stage::Head;
    QByteArray buffer_;
    qsizetype headBytes_ = 0;  // the heads of interim answers count too
    int status_ = 0;
    QList<std::pair<QByteArray, QByteArray>> headers_;
    bool untilClosed_ = false;
    qint64 remaining_ = 0;  // of the body, or of the current chunk
    bool afterChunk_ = false;
    bool inTrailer_ = false;
    QByteArray body_;
    Failure failure_ = Failure::None;
    QString errorString_;
};

}  // namespace fendry
