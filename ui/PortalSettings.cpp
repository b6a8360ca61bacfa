#include "PortalSettings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace fendry::portal {

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
}  // namespace

QVariant unwrapped(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

void read(QObject* context, const QString& group, const QString& key,
          std::function<void(const QVariant&)> take) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                          QStringLiteral("Read"));
    message << group << key;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, take = std::move(take)] {
                         const QDBusPendingReply<QDBusVariant> reply = *watcher;
                         if (!reply.isError()) {
                             take(unwrapped(reply.value().variant()));
                         }
                         watcher->deleteLater();
                     });
}

bool follow(QObject* receiver, const char* slot) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.connect(kService, kPath, kInterface,
                                            QStringLiteral("SettingChanged"), receiver, slot);
}

std::optional<QVariant> changed(const QDBusMessage& change, const QString& group,
                                const QString& key) {
    const QVariantList arguments = change.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == group &&
        arguments[1].toString() == key) {
        return unwrapped(arguments[2]);
    }
    return std::nullopt;
}

}  // namespace fendry::portal
