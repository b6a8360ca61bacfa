#include "FileReveal.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QProcess>
#include <QTimer>

#include "FolderWalk.h"
#include "LocalPaths.h"

namespace fendry {

namespace {

// The desktop opens a folder with the default application for folders, which the user may have
// made Fendry itself: the folder would then land on the list of things to erase. So it is
// opened only when xdg-mime, which xdg-open asks too, names another application; otherwise the
// window shows its path.
void openContainingFolder(const std::filesystem::path& item,
                          const std::function<void(const std::filesystem::path&)>& unopened) {
    const std::filesystem::path folder = item.parent_path();
    const auto showPath = [folder, unopened] {
        if (unopened) {
            unopened(folder);
        }
    };
    auto* query = new QProcess(QCoreApplication::instance());
    query->setProgram(QStringLiteral("xdg-mime"));
    query->setArguments(
        {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("inode/directory")});
    QObject::connect(query, &QProcess::errorOccurred, query,
                     [query, showPath](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             query->deleteLater();
                             showPath();
                         }
                     });
    QObject::connect(query, &QProcess::finished, query,
                     [query, folder, showPath](int exitCode, QProcess::ExitStatus status) {
                         query->deleteLater();
                         const QByteArray handler = query->readAllStandardOutput().trimmed();
                         const bool ours = handler.startsWith("co.morvel.Fendry");
                         if (status != QProcess::NormalExit || exitCode != 0 || ours ||
                             !QDesktopServices::openUrl(fileUrlOf(folder))) {
                             showPath();
                         }
                     });
    QTimer::singleShot(5000, query, &QProcess::kill);
    query->start();
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
