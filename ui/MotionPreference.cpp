#include "MotionPreference.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QSettings>
#include <QStandardPaths>

#include "PortalSettings.h"

namespace fendry {

namespace {

const QString kGnomeGroup = QStringLiteral("org.gnome.desktop.interface");
const QString kGnomeKey = QStringLiteral("enable-animations");
const QString kKdeGroup = QStringLiteral("org.kde.kdeglobals.KDE");
const QString kKdeKey = QStringLiteral("AnimationDurationFactor");

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
    portal::follow(this, SLOT(portalSettingChanged(QDBusMessage)));
    for (const auto& [group, key] : {std::pair{kGnomeGroup, kGnomeKey}, {kKdeGroup, kKdeKey}}) {
        portal::read(this, group, key,
                     [this, group, key](const QVariant& value) { takeSetting(group, key, value); });
    }
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

void MotionPreference::portalSettingChanged(const QDBusMessage& change) {
    for (const auto& [group, key] : {std::pair{kGnomeGroup, kGnomeKey}, {kKdeGroup, kKdeKey}}) {
        if (const auto value = portal::changed(change, group, key)) {
            takeSetting(group, key, *value);
        }
    }
}

void MotionPreference::takeSetting(const QString& group, const QString& key,
                                   const QVariant& value) {
    const bool before = reduced();
    const QVariant& setting = value;
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
