#include "MotionPreference.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QJSEngine>
#include <QSettings>
#include <QStandardPaths>

namespace fendry {

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kGnomeGroup = QStringLiteral("org.gnome.desktop.interface");
const QString kGnomeKey = QStringLiteral("enable-animations");
const QString kKdeGroup = QStringLiteral("org.kde.kdeglobals.KDE");
const QString kKdeKey = QStringLiteral("AnimationDurationFactor");

// Older portals wrap the value in one variant more than they declare.
QVariant unwrapped(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

// KDE scales every animation's length by this factor; 0 means instant.
bool kdeFactorIsInstant(const QVariant& factor) {
    bool ok = false;
    const double value = factor.toDouble(&ok);
    return ok && value <= 0.0;
}

}  // namespace

MotionPreference::MotionPreference(QObject* parent) : QObject(parent) {
    const QByteArray forced = qgetenv("FENDRY_REDUCE_MOTION");
    if (forced == "1" || forced == "0") {
        forced_ = forced == "1";
        return;
    }
    const QString kdeglobals =
        QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
    if (!kdeglobals.isEmpty()) {
        const QSettings file(kdeglobals, QSettings::IniFormat);
        kdeStill_ = kdeFactorIsInstant(file.value(QStringLiteral("KDE/") + kKdeKey));
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    bus.connect(kPortalService, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
                SLOT(portalSettingChanged(QDBusMessage)));
    askPortal(kGnomeGroup, kGnomeKey);
    askPortal(kKdeGroup, kKdeKey);
}

MotionPreference& MotionPreference::shared() {
    static MotionPreference* const instance = [] {
        auto* preference = new MotionPreference(QCoreApplication::instance());
        QJSEngine::setObjectOwnership(preference, QJSEngine::CppOwnership);
        return preference;
    }();
    return *instance;
}

bool MotionPreference::reduced() const {
    return forced_.value_or(gnomeStill_ || kdeStill_);
}

void MotionPreference::askPortal(const QString& group, const QString& key) {
    QDBusMessage read = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kSettings,
                                                       QStringLiteral("Read"));
    read << group << key;
    // Asked without waiting: the first frame does not wait for the portal.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(read), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, group, key] {
        const QDBusPendingReply<QDBusVariant> reply = *watcher;
        if (!reply.isError()) {
            takeSetting(group, key, reply.value().variant());
        }
        watcher->deleteLater();
    });
}

void MotionPreference::portalSettingChanged(const QDBusMessage& change) {
    const QVariantList arguments = change.arguments();
    if (arguments.size() == 3) {
        takeSetting(arguments[0].toString(), arguments[1].toString(), arguments[2]);
    }
}

void MotionPreference::takeSetting(const QString& group, const QString& key,
                                   const QVariant& value) {
    const bool before = reduced();
    const QVariant setting = unwrapped(value);
    if (group == kGnomeGroup && key == kGnomeKey) {
        if (setting.metaType() != QMetaType::fromType<bool>()) {
            return;
        }
        gnomeStill_ = !setting.toBool();
    } else if (group == kKdeGroup && key == kKdeKey) {
        kdeStill_ = kdeFactorIsInstant(setting);
    } else {
        return;
    }
    if (reduced() != before) {
        emit reducedChanged();
    }
}

}  // namespace fendry
