#include "DesktopAppearance.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QGuiApplication>
#include <QJSEngine>
#include <QPalette>
#include <algorithm>

#include "PortalSettings.h"

namespace fendry {

namespace {
const QString kGroup = QStringLiteral("org.freedesktop.appearance");
const QString kScheme = QStringLiteral("color-scheme");
const QString kAccent = QStringLiteral("accent-color");
}  // namespace

DesktopAppearance::DesktopAppearance(QObject* parent) : QObject(parent) {
    const QByteArray forced = qgetenv("FENDRY_COLOR_SCHEME");
    if (forced == "dark" || forced == "light") {
        forced_ = forced == "dark";
        return;
    }
    portal::follow(this, SLOT(portalSettingChanged(QDBusMessage)));
    portal::read(this, kGroup, kScheme, [this](const QVariant& value) { takeScheme(value); });
    portal::read(this, kGroup, kAccent, [this](const QVariant& value) { takeAccent(value); });
}

DesktopAppearance& DesktopAppearance::shared() {
    static DesktopAppearance* const instance = [] {
        auto* appearance = new DesktopAppearance(QCoreApplication::instance());
        QJSEngine::setObjectOwnership(appearance, QJSEngine::CppOwnership);
        return appearance;
    }();
    return *instance;
}

bool DesktopAppearance::dark() const {
    if (forced_) {
        return *forced_;
    }
    if (portalDark_) {
        return *portalDark_;
    }
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

void DesktopAppearance::portalSettingChanged(const QDBusMessage& change) {
    if (const auto value = portal::changed(change, kGroup, kScheme)) {
        takeScheme(*value);
    } else if (const auto accent = portal::changed(change, kGroup, kAccent)) {
        takeAccent(*accent);
    }
}

// 0: no preference, 1: prefer dark, 2: prefer light.
void DesktopAppearance::takeScheme(const QVariant& value) {
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    portalDark_ = ok && scheme != 0 ? std::optional(scheme == 1) : std::nullopt;
    emit changed();
}

// Three doubles from 0 to 1; anything outside means the desktop has no accent colour.
void DesktopAppearance::takeAccent(const QVariant& value) {
    double rgb[3] = {-1, -1, -1};
    if (value.canConvert<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        argument.beginStructure();
        argument >> rgb[0] >> rgb[1] >> rgb[2];
        argument.endStructure();
    }
    const bool valid = std::all_of(std::begin(rgb), std::end(rgb),
                                   [](double part) { return part >= 0 && part <= 1; });
    accent_ = valid ? QColor::fromRgbF(rgb[0], rgb[1], rgb[2]) : QColor();
    emit changed();
}

}  // namespace fendry
