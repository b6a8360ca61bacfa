#include "FileReveal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QCoreApplication>

#include "FolderWalk.h"
#include "LocalPaths.h"

namespace {

void openContainingFolder(const std::filesystem::path& item) {
    QDesktopServices::openUrl(fileUrlOf(item.parent_path()));
}

}  // namespace

void revealInFileManager(const std::filesystem::path& entry) {
    const std::filesystem::path item = fendry::withoutTrailingSlash(entry);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openContainingFolder(item);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QString::fromLatin1(fileUrlOf(item).toEncoded())} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [item](QDBusPendingCallWatcher* finished) {
                         if (QDBusPendingReply<>(*finished).isError()) {
                             openContainingFolder(item);
                         }
                         finished->deleteLater();
                     });
}
