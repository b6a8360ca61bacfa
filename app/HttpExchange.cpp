#include "HttpExchange.h"

#include <QSslConfiguration>
#include <algorithm>
#include <cctype>

namespace fendry {

namespace {

// What the socket holds beyond what has been read: a few TLS records. Qt reads no more from
// the network until it is taken, so a fast server cannot outrun the bounds below.
constexpr qint64 kSocketBufferBytes = 64 * 1024;
// A chunk's size line: hexadecimal digits and perhaps an extension.
constexpr qsizetype kMaxChunkLineBytes = 1024;

bool isStatusLine(const QByteArray& line) {
    return line.size() >= 12 && line.startsWith("HTTP/1.") && line[8] == ' ' &&
           std::isdigit(static_cast<unsigned char>(line[9])) &&
           std::isdigit(static_cast<unsigned char>(line[10])) &&
           std::isdigit(static_cast<unsigned char>(line[11])) &&
           (line.size() == 12 || line[12] == ' ');
}

}  // namespace

HttpExchange::HttpExchange(Request request, QObject* parent)
    : QObject(parent), request_(std::move(request)) {
    socket_.setReadBufferSize(kSocketBufferBytes);
    connect(&socket_, &QAbstractSocket::connected, this, [this] {
        if (request_.url.scheme() != u"https") {
            send();
        }
    });
    connect(&socket_, &QSslSocket::encrypted, this, &HttpExchange::send);
    connect(&socket_, &QIODevice::readyRead, this, &HttpExchange::read);
    connect(&socket_, &QAbstractSocket::disconnected, this, &HttpExchange::connectionEnded);
    connect(&socket_, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                if (error == QAbstractSocket::RemoteHostClosedError) {
                    connectionEnded();
                } else if (error == QAbstractSocket::SslHandshakeFailedError) {
                    fail(Failure::Tls, socket_.errorString());
                } else {
                    fail(Failure::Connection, socket_.errorString());
                }
            });
}

HttpExchange::~HttpExchange() {
    abort();
}

void HttpExchange::start() {
    const QUrl& url = request_.url;
    if (url.scheme() != u"https") {
        socket_.connectToHost(url.host(), static_cast<quint16>(url.port(80)));
        return;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    if (!request_.extraCaCertificates.isEmpty()) {
        // Setting the authorities replaces the system's, so both go in.
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() +
                              request_.extraCaCertificates);
    }
    tls.setAllowedNextProtocols({QByteArray(QSslConfiguration::NextProtocolHttp1_1)});
    socket_.setSslConfiguration(tls);
    // The host is also the name the certificate must carry.
    socket_.connectToHostEncrypted(url.host(), static_cast<quint16>(url.port(443)));
}

void HttpExchange::abort() {
    stage_ = Stage::Done;
    disconnect(&socket_, nullptr, this, nullptr);
    socket_.abort();
}

QByteArray HttpExchange::header(QByteArrayView name) const {
    for (const auto& [key, value] : headers_) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

void HttpExchange::send() {
    const QUrl& url = request_.url;
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) {
        target = "/";
    }
    if (url.hasQuery()) {
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    }
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) {
        host = '[' + host + ']';
    }
    if (url.port() != -1) {
        host += ':' + QByteArray::number(url.port());
    }
    // Identity: the body's bound is the size of what is kept, not of what it would unpack to.
    QByteArray head = request_.method + ' ' + target + " HTTP/1.1\r\nHost: " + host +
                      "\r\nConnection: close\r\nAccept-Encoding: identity\r\n";
    for (const auto& [name, value] : request_.headers) {
        head += name + ": " + value + "\r\n";
    }
    if (!request_.body.isEmpty() || request_.method == "POST") {
        head += "Content-Length: " + QByteArray::number(request_.body.size()) + "\r\n";
    }
    socket_.write(head + "\r\n" + request_.body);
}

void HttpExchange::read() {
    buffer_ += socket_.readAll();
    bool more = true;
    while (more) {
        switch (stage_) {
            case Stage::Head: more = readHead(); break;
            case Stage::Body: more = readBody(); break;
            case Stage::Chunks: more = readChunks(); break;
            case Stage::Done: more = false; break;
        }
    }
}

// True when a head was taken and what follows it may be read.
bool HttpExchange::readHead() {
    const qsizetype end = buffer_.indexOf("\r\n\r\n");
    if (end < 0) {
        if (headBytes_ + buffer_.size() > kMaxHeadBytes) {
            fail(Failure::TooLarge);
        }
        return false;
    }
    headBytes_ += end + 4;
    if (headBytes_ > kMaxHeadBytes) {
        fail(Failure::TooLarge);
        return false;
    }
    QList<QByteArray> lines = buffer_.first(end).split('\n');
    buffer_.remove(0, end + 4);
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    if (!isStatusLine(lines.front())) {
        fail(Failure::Malformed);
        return false;
    }
    status_ = lines.front().mid(9, 3).toInt();
    headers_.clear();
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon);
        if (colon <= 0 || name.contains(' ') || name.contains('\t')) {
            fail(Failure::Malformed);
            return false;
        }
        headers_.append({name, line.mid(colon + 1).trimmed()});
    }
    if (status_ >= 100 && status_ <= 199) {
        if (status_ == 101) {  // never asked for
            fail(Failure::Malformed);
            return false;
        }
        return true;  // an interim answer; the real one follows
    }

    if (request_.maxBodyBytes == 0 || request_.method == "HEAD" || status_ == 204 ||
        status_ == 304) {
        complete();
        return false;
    }
    if (const QByteArray coding = header("Transfer-Encoding").toLower(); !coding.isEmpty()) {
        untilClosed_ = !coding.endsWith("chunked");
        stage_ = untilClosed_ ? Stage::Body : Stage::Chunks;
        return true;
    }
    if (const QByteArray length = header("Content-Length"); !length.isEmpty()) {
        bool isNumber =
            length.size() <= 18 && std::all_of(length.begin(), length.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            });
        remaining_ = isNumber ? length.toLongLong(&isNumber) : 0;
        if (!isNumber) {
            fail(Failure::Malformed);
            return false;
        }
        if (remaining_ > request_.maxBodyBytes) {
            fail(Failure::TooLarge);
            return false;
        }
    } else {
        untilClosed_ = true;
    }
    stage_ = Stage::Body;
    return true;
}

bool HttpExchange::readBody() {
    const qint64 take =
        untilClosed_ ? buffer_.size() : std::min<qint64>(remaining_, buffer_.size());
    body_ += buffer_.first(take);
    buffer_.remove(0, take);
    remaining_ -= take;
    if (body_.size() > request_.maxBodyBytes) {
        fail(Failure::TooLarge);
    } else if (!untilClosed_ && remaining_ == 0) {
        complete();
    }
    return false;
}

// Chunk after chunk: its size in hexadecimal on a line, its data, and a line end; a size of 0
// ends the body, and trailer lines up to an empty one end the answer.
bool HttpExchange::readChunks() {
    if (remaining_ > 0) {
        const qint64 take = std::min<qint64>(remaining_, buffer_.size());
        body_ += buffer_.first(take);
        buffer_.remove(0, take);
        remaining_ -= take;
        if (remaining_ > 0) {
            return false;
        }
        afterChunk_ = true;
    }
    if (afterChunk_) {
        if (buffer_.size() < 2) {
            return false;
        }
        if (!buffer_.startsWith("\r\n")) {
            fail(Failure::Malformed);
            return false;
        }
        buffer_.remove(0, 2);
        afterChunk_ = false;
    }
    const qsizetype end = buffer_.indexOf("\r\n");
    const qsizetype limit = inTrailer_ ? kMaxHeadBytes - headBytes_ : kMaxChunkLineBytes;
    if (end < 0 || end > limit) {
        if (buffer_.size() > limit) {
            fail(inTrailer_ ? Failure::TooLarge : Failure::Malformed);
        }
        return false;
    }
    const QByteArray line = buffer_.first(end);
    buffer_.remove(0, end + 2);
    if (inTrailer_) {
        headBytes_ += end + 2;
        if (line.isEmpty()) {
            complete();
            return false;
        }
        return true;
    }
    const QByteArray size = line.left(line.indexOf(';')).trimmed();
    bool isNumber = !size.isEmpty() && size.size() <= 15;
    remaining_ = isNumber ? size.toLongLong(&isNumber, 16) : 0;
    if (!isNumber || remaining_ < 0) {
        fail(Failure::Malformed);
        return false;
    }
    if (body_.size() + remaining_ > request_.maxBodyBytes) {
        fail(Failure::TooLarge);
        return false;
    }
    inTrailer_ = remaining_ == 0;
    return true;
}

// The server closed: the end of a body that runs until then, otherwise an answer cut short.
void HttpExchange::connectionEnded() {
    if (socket_.bytesAvailable() > 0) {
        read();
    }
    if (stage_ == Stage::Done) {
        return;
    }
    if (stage_ == Stage::Body && untilClosed_) {
        complete();
    } else if (socket_.isEncrypted() || socket_.mode() == QSslSocket::UnencryptedMode) {
        fail(Failure::Malformed);
    } else {
        fail(Failure::Connection, socket_.errorString());
    }
}

void HttpExchange::complete() {
    abort();
    emit finished();
}

void HttpExchange::fail(Failure failure, const QString& reason) {
    if (stage_ == Stage::Done) {
        return;
    }
    failure_ = failure;
    errorString_ = reason;
    abort();
    emit finished();
}

}  // namespace fendry
