#pragma once

#include <QByteArray>

namespace testing_support {

// A whole HTTP/1.1 response that closes the connection after it.
inline QByteArray http(const QByteArray& status, const QByteArray& body = {},
                       const QByteArray& headers = {}) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n" + headers + "\r\n" + body;
}

}  // namespace testing_support
