#include "Appcast.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <algorithm>

namespace fendry::appcast {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Where a character sorts among the others outside runs of digits: "~" first, then the end of
// the version and digits, then letters, then everything else.
int order(QStringView text, qsizetype at) {
    if (at >= text.size() || isDigit(text[at])) {
        return 0;
    }
    const QChar c = text[at];
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
        return c.unicode();
    }
    return c == u'~' ? -1 : c.unicode() + 256;
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// dpkg's comparison of one part: alternately a run of other characters, compared by order(),
// and a run of digits, compared as a number of any length.
int comparePart(QStringView a, QStringView b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        while ((i < a.size() && !isDigit(a[i])) || (j < b.size() && !isDigit(b[j]))) {
            if (const int difference = order(a, i) - order(b, j); difference != 0) {
                return sign(difference);
            }
            ++i;
            ++j;
        }
        while (i < a.size() && a[i] == u'0') {
            ++i;
        }
        while (j < b.size() && b[j] == u'0') {
            ++j;
        }
        int firstDifference = 0;
        for (; i < a.size() && j < b.size() && isDigit(a[i]) && isDigit(b[j]); ++i, ++j) {
            if (firstDifference == 0) {
                firstDifference = a[i].unicode() - b[j].unicode();
            }
        }
        if (i < a.size() && isDigit(a[i])) {
            return 1;
        }
        if (j < b.size() && isDigit(b[j])) {
            return -1;
        }
        if (firstDifference != 0) {
            return sign(firstDifference);
        }
    }
    return 0;
}

struct Version {
    QStringView epoch, upstream, revision;
};

Version split(QStringView text) {
    text = text.trimmed();
    if (text.size() > 1 && (text[0] == u'v' || text[0] == u'V') && isDigit(text[1])) {
        text = text.sliced(1);
    }
    Version version;
    if (const qsizetype colon = text.indexOf(u':'); colon >= 0) {
        version.epoch = text.first(colon);
        text = text.sliced(colon + 1);
    }
    if (const qsizetype hyphen = text.lastIndexOf(u'-'); hyphen >= 0) {
        version.revision = text.sliced(hyphen + 1);
        text = text.first(hyphen);
    }
    version.upstream = text;
    return version;
}

// A version is shown to the user: only the characters versions are made of, and not too many.
bool isReadableVersion(QStringView version) {
    return version.size() <= 64 && std::all_of(version.begin(), version.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') ||
                      (c >= u'A' && c <= u'Z') || c == u'.' || c == u'+' || c == u'~' || c == u'-';
           });
}

// Checks in one pass over the UTF-8 bytes what the reader would otherwise take its time over: every
// element's attributes (each has one "=" outside the quotes of the values), its tag's size, the
// number of elements and how deep they nest. A document type declaration is refused: a feed
// needs none, and its declarations would add attributes and entities that no tag shows. What
// is not well-formed here is refused too; the reader would refuse it as well.
bool withinLimits(const QByteArray& feed) {
    const QByteArrayView text(feed);
    int elements = 0, attributes = 0, depth = 0;
    qsizetype at = text.indexOf('<');
    const auto skipPast = [&](QByteArrayView end) {
        const qsizetype found = text.indexOf(end, at);
        at = found < 0 ? -1 : text.indexOf('<', found + end.size());
        return found >= 0;
    };
    while (at >= 0) {
        const QByteArrayView rest = text.sliced(at);
        if (rest.startsWith("<!--")) {
            if (!skipPast("-->")) {
                return false;
            }
            continue;
        }
        if (rest.startsWith("<![CDATA[")) {
            if (!skipPast("]]>")) {
                return false;
            }
            continue;
        }
        if (rest.startsWith("<?")) {
            if (!skipPast("?>")) {
                return false;
            }
            continue;
        }
        if (rest.startsWith("<!")) {
            return false;
        }
        char quote = 0;
        int equals = 0;
        qsizetype end = 1;
        for (; end < rest.size(); ++end) {
            if (end > kMaxTagBytes) {
                return false;
            }
            const char c = rest[end];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=') {
                ++equals;
            } else if (c == '>' || c == '<') {
                break;
            }
        }
        if (end >= rest.size() || rest[end] != '>' || equals > kMaxAttributesPerElement ||
            (attributes += equals) > kMaxAttributes) {
            return false;
        }
        if (rest[1] == '/') {
            --depth;
        } else if (++elements > kMaxElements || (rest[end - 1] != '/' && ++depth > kMaxDepth)) {
            return false;
        }
        at = text.indexOf('<', at + end);
    }
    return true;
}

std::optional<Release> readItem(QXmlStreamReader& xml, const std::atomic<bool>& cancelled) {
    QString versionElement, shortVersionElement, link;
    QString enclosureUrl, enclosureVersion, enclosureShortVersion;
    bool enclosureSeen = false;
    const auto keepFirst = [](QString& slot, QStringView value) {
        if (slot.isEmpty()) {
            slot = value.trimmed().toString();
        }
    };
    while (!cancelled && xml.readNextStartElement()) {
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
        if (const QUrl url(*candidate, QUrl::StrictMode); isOpenableLink(url)) {
            release.downloadUrl = url;
            break;
        }
    }
    if (release.version.isEmpty() || !isReadableVersion(release.version) ||
        (enclosureUrl.isEmpty() && link.isEmpty())) {
        return std::nullopt;
    }
    return release;
}

}  // namespace

int compareVersions(QStringView left, QStringView right) {
    const Version a = split(left), b = split(right);
    for (const auto part : {&Version::epoch, &Version::upstream, &Version::revision}) {
        if (const int order = comparePart(a.*part, b.*part); order != 0) {
            return order;
        }
    }
    return 0;
}

bool isOpenableLink(const QUrl& url) {
    return url.isValid() && url.scheme() == u"https" && !url.host().isEmpty() &&
           url.userInfo().isEmpty();
}

std::optional<Release> newestRelease(const QByteArray& feed, const std::atomic<bool>& cancelled) {
    // The bytes are checked as UTF-8, and handed over as text so that the reader reads them so
    // too, whatever encoding the document declares: a declared UTF-16 or UTF-7 would hide from
    // the check the very markup that the reader then sees.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(feed);
    if (utf8.hasError() || !withinLimits(feed)) {
        return std::nullopt;
    }
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || xml.name() != u"rss" || !xml.namespaceUri().isEmpty()) {
        return std::nullopt;
    }
    std::optional<Release> newest;
    while (!xml.atEnd() && !cancelled) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"item" && xml.namespaceUri().isEmpty()) {
            std::optional<Release> release = readItem(xml, cancelled);
            if (release && (!newest || compareVersions(release->version, newest->version) > 0)) {
                newest = std::move(release);
            }
        }
    }
    if (xml.hasError() || cancelled) {
        return std::nullopt;
    }
    return newest;
}

}  // namespace fendry::appcast
