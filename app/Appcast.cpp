#include "Appcast.h"

#include <QList>
#include <QXmlStreamReader>
#include <algorithm>

namespace fendry::appcast {
namespace {

struct Component {
    QStringView digits;  // without leading zeros: numbers of any length compare exactly
    QStringView text;
};

Component componentAt(const QList<QStringView>& parts, qsizetype index) {
    if (index >= parts.size()) {
        return {};
    }
    const QStringView part = parts[index];
    qsizetype end = 0;
    while (end < part.size() && part[end] >= u'0' && part[end] <= u'9') {
        ++end;
    }
    qsizetype start = 0;
    while (start < end && part[start] == u'0') {
        ++start;
    }
    return {part.sliced(start, end - start), part.sliced(end)};
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

int compareComponents(const Component& left, const Component& right) {
    if (left.digits.size() != right.digits.size()) {
        return left.digits.size() < right.digits.size() ? -1 : 1;
    }
    if (const int order = left.digits.compare(right.digits); order != 0) {
        return sign(order);
    }
    if (left.text.isEmpty() != right.text.isEmpty()) {
        return left.text.isEmpty() ? 1 : -1;
    }
    return sign(left.text.compare(right.text));
}

// A version is shown to the user: only the characters versions are made of, and not too many.
bool isReadableVersion(QStringView version) {
    return version.size() <= 64 && std::all_of(version.begin(), version.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') ||
                      (c >= u'A' && c <= u'Z') || c == u'.' || c == u'+' || c == u'~' || c == u'-';
           });
}

bool isBrowserLink(const QUrl& url) {
    return url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") &&
           !url.host().isEmpty();
}

std::optional<Release> readItem(QXmlStreamReader& xml) {
    QString versionElement, shortVersionElement, link;
    QString enclosureUrl, enclosureVersion, enclosureShortVersion;
    bool enclosureSeen = false;
    const auto keepFirst = [](QString& slot, QStringView value) {
        if (slot.isEmpty()) {
            slot = value.trimmed().toString();
        }
    };
    while (xml.readNextStartElement()) {
        const bool plainRss = xml.namespaceUri().isEmpty();
        if (plainRss && xml.name() == u"enclosure" && !enclosureSeen) {
            enclosureSeen = true;
            for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                if (attribute.name() == u"url" && attribute.namespaceUri().isEmpty()) {
                    keepFirst(enclosureUrl, attribute.value());
                } else if (attribute.name() == u"shortVersionString") {
                    keepFirst(enclosureShortVersion, attribute.value());
                } else if (attribute.name() == u"version") {
                    keepFirst(enclosureVersion, attribute.value());
                }
            }
            xml.skipCurrentElement();
        } else if (xml.name() == u"shortVersionString") {
            keepFirst(shortVersionElement,
                      xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (xml.name() == u"version") {
            keepFirst(versionElement, xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (plainRss && xml.name() == u"link") {
            keepFirst(link, xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else {
            xml.skipCurrentElement();
        }
    }

    Release release;
    for (const QString* version :
         {&shortVersionElement, &enclosureShortVersion, &versionElement, &enclosureVersion}) {
        if (!version->isEmpty()) {
            release.version = *version;
            break;
        }
    }
    for (const QString* candidate : {&enclosureUrl, &link}) {
        const QUrl url(*candidate, QUrl::StrictMode);
        if (isBrowserLink(url)) {
            release.downloadUrl = url;
            break;
        }
    }
    if (release.version.isEmpty() || !isReadableVersion(release.version) ||
        release.downloadUrl.isEmpty()) {
        return std::nullopt;
    }
    return release;
}

}  // namespace

int compareVersions(QStringView left, QStringView right) {
    const QList<QStringView> leftParts = left.trimmed().split(u'.');
    const QList<QStringView> rightParts = right.trimmed().split(u'.');
    const qsizetype count = std::max(leftParts.size(), rightParts.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (const int order =
                compareComponents(componentAt(leftParts, i), componentAt(rightParts, i));
            order != 0) {
            return order;
        }
    }
    return 0;
}

std::optional<Release> newestRelease(const QByteArray& feed) {
    QXmlStreamReader xml(feed);
    if (!xml.readNextStartElement() || xml.name() != u"rss" || !xml.namespaceUri().isEmpty()) {
        return std::nullopt;
    }
    std::optional<Release> newest;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"item" && xml.namespaceUri().isEmpty()) {
            std::optional<Release> release = readItem(xml);
            if (release && (!newest || compareVersions(release->version, newest->version) > 0)) {
                newest = std::move(release);
            }
        }
    }
    if (xml.hasError()) {
        return std::nullopt;
    }
    return newest;
}

}  // namespace fendry::appcast
