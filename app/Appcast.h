#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QUrl>
#include <optional>

// The release feed the updater reads: an RSS 2.0 document with one <item> per release.
namespace fendry::appcast {

// Orders versions as Debian's `dpkg --compare-versions` does, so that the feed and the package
// agree: an optional epoch ("1:"), then the upstream version, then the revision after the last
// "-"; runs of digits compare as numbers (1.10 > 1.9, 1.0rc10 > 1.0rc2), letters before other
// characters, and "~" before anything, even the end (1.0~rc1 < 1.0 < 1.0+deb1 < 1.0.1). A
// leading "v" is ignored (v2.0 == 2.0). Negative, zero or positive, like strcmp.
int compareVersions(QStringView left, QStringView right);

struct Release {
    QString version;
    QUrl downloadUrl;  // always http or https: it is opened in the browser
};

// The release with the greatest version. An item's version comes from a child element named
// shortVersionString or version (any namespace), else from an attribute of that name on its
// <enclosure>; shortVersionString wins, being the one people see. The link is the enclosure's
// url, else the item's <link>. Items lacking either, or whose version is longer than 64
// characters or holds anything but [0-9A-Za-z.+~-], are skipped. Nothing when the document is
// not well-formed RSS or offers no usable item.
std::optional<Release> newestRelease(const QByteArray& feed);

}  // namespace fendry::appcast
