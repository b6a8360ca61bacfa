#include "LocalPaths.h"

#include <QFile>

#include "FolderWalk.h"

namespace fendry {

std::optional<std::filesystem::path> localPathOf(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile() ||
        !(url.host().isEmpty() || url.host() == QLatin1String("localhost"))) {
        return std::nullopt;
    }
    // Decoding the percent escapes by hand keeps bytes that are not UTF-8 as they are.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (bytes.isEmpty() || bytes.front() != '/' || bytes.contains('\0')) {
        return std::nullopt;
    }
    return std::filesystem::path(bytes.toStdString());
}

QUrl fileUrlOf(const std::filesystem::path& path) {
    // QByteArray's own encoding: QUrl::toPercentEncoding takes a QString, and the conversion
    // would turn bytes that are not UTF-8 into U+FFFD.
    const QByteArray bytes = QByteArray::fromStdString(path.native());
    return QUrl(QStringLiteral("file://") + QString::fromLatin1(bytes.toPercentEncoding("/")),
                QUrl::StrictMode);
}

QString entryKeyOf(const std::filesystem::path& path) {
    return QString::fromLatin1(path.native());
}

std::filesystem::path entryOfKey(const QString& key) {
    return std::filesystem::path(key.toLatin1().toStdString());
}

QString visibleText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0x85 || u == 0x2028 || u == 0x2029) {
            shown += QChar(0x23CE);  // ⏎
        } else if (u < 0x20) {
            shown += QChar(0x2400 + u);  // the Control Pictures block: ␀ to ␟
        } else if (u == 0x7F) {
            shown += QChar(0x2421);  // ␡
        } else if ((u >= 0x80 && u < 0xA0) || u == 0x061C || u == 0x200E || u == 0x200F ||
                   (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069)) {
            // Other controls, and the marks that reorder what follows them ("txt.exe").
            shown += QChar(0xFFFD);
        } else {
            shown += c;
        }
    }
    return shown;
}

QString displayNameOf(const std::filesystem::path& entry) {
    const std::filesystem::path name = withoutTrailingSlash(entry).filename();
    return visibleText(QFile::decodeName(
        QByteArray::fromStdString(name.empty() ? entry.native() : name.native())));
}

QString displayPathOf(const std::filesystem::path& path) {
    return visibleText(QFile::decodeName(QByteArray::fromStdString(path.native())));
}

}  // namespace fendry
