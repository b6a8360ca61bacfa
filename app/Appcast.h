#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QUrl>
#include <optional>

// The release feed the updater reads: an RSS 2.0 document with one <item> per release.
namespace fendry::appcast {

// Orders versions: dot-separated components compared one by one, numerically by their leading
// digits (1.10 > 1.9); a missing component counts as 0 (1.2 == 1.2.0). Text after the digits
// marks a pre-release: it ranks below the bare number (1.0rc1 < 1.0), and two texts on the same
// number compare character by character (1.0a < 1.0b). Negative, zero or positive, like strcmp.
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
