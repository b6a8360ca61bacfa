#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QUrl>
#include <atomic>
#include <optional>

// The release feed the updater reads: an RSS 2.0 document with one <item> per release.
namespace fendry::appcast {

// Orders versions as Debian's `dpkg --compare-versions` does, so that the feed and the package
// agree: an optional epoch ("1:"), then the upstream version, then the revision after the last
// "-"; runs of digits compare as numbers (1.10 > 1.9, 1.0rc10 > 1.0rc2), letters before other
// characters, and "~" before anything, even the end (1.0~rc1 < 1.0 < 1.0+deb1 < 1.0.1). A
// leading "v" is ignored (v2.0 == 2.0). Negative, zero or positive, like strcmp.
int compareVersions(QStringView left, QStringView right);

// What a feed may hold. Far more than a feed of releases needs, and little enough that any feed
// is read in a moment: Qt's reader checks the attributes of an element against each other, in
// time that grows with the square of their number, and looks each prefix up among all the
// namespaces declared around it.
inline constexpr int kMaxElements = 50000;
inline constexpr int kMaxAttributesPerElement = 32;
inline constexpr int kMaxAttributes = 50000;
inline constexpr int kMaxDepth = 32;
// One tag, its attributes with their values included.
inline constexpr qsizetype kMaxTagBytes = 16 * 1024;

// Only these are opened in the browser: https, with a host, without user information.
bool isOpenableLink(const QUrl& url);

struct Release {
    QString version;
    // Empty when the feed's link may not be opened (see isOpenableLink).
    QUrl downloadUrl;
};

// The release with the greatest version. An item's version comes from a child element named
// shortVersionString or version (any namespace), else from an attribute of that name on its
// <enclosure>; shortVersionString wins, being the one people see. The link is the enclosure's
// url, else the item's <link>, the first that may be opened. Items lacking a version or any
// link, or whose version is longer than 64 characters or holds anything but [0-9A-Za-z.+~-],
// are skipped. Nothing when the document is not well-formed RSS, holds more than the limits
// above or a document type declaration, offers no usable item, or `cancelled` becomes true
// while it is read (it is looked at between the reader's steps).
std::optional<Release> newestRelease(const QByteArray& feed,
                                     const std::atomic<bool>& cancelled = std::atomic<bool>{});

}  // namespace fendry::appcast
