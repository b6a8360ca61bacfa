#include "LocalPaths.h"

#include <QFile>

#include "FolderWalk.h"

std::optional<std::filesystem::path> localPathOf(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile() ||
        !(url.host().isEmpty() || url.host() == QLatin1String("localhost"))) {
        return std::nullopt;
    }
    // Decoding the percent escapes by hand keeps bytes that are not UTF-8 as they are.
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
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

QString displayNameOf(const std::filesystem::path& entry) {
    const std::filesystem::path name = fendry::withoutTrailingSlash(entry).filename();
    return QFile::decodeName(QByteArray::fromStdString(name.empty() ? entry.native() : name.native()));
}
