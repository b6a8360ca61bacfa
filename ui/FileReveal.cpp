#include "FileReveal.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>

#include "FolderWalk.h"
#include "LocalPaths.h"

namespace fendry {

namespace {

void openContainingFolder(const std::filesystem::path& item,
                          const std::function<void(const std::filesystem::path&)>& unopened) {
    if (!QDesktopServices::openUrl(fileUrlOf(item.parent_path())) && unopened) {
        unopened(item.parent_path());
    }
}

}  // namespace

void revealInFileManager(const std::filesystem::path& entry,
                         std::function<void(const std::filesystem::path& folder)> unopened) {
    const std::filesystem::path item = withoutTrailingSlash(entry);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openContainingFolder(item, unopened);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QString::fromLatin1(fileUrlOf(item).toEncoded())} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [item, unopened](QDBusPendingCallWatcher* finished) {
                         if (QDBusPendingReply<>(*finished).isError()) {
                             openContainingFolder(item, unopened);
                         }
                         finished->deleteLater();
                     });
}

}  // namespace fendry
