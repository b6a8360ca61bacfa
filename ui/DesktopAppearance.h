#pragma once

#include <QtQml/qqmlregistration.h>
#include <QColor>
#include <QDBusMessage>
#include <QObject>
#include <optional>

class QJSEngine;
class QQmlEngine;

namespace fendry {

// The desktop's light or dark scheme and its accent colour. FENDRY_COLOR_SCHEME=dark (or light)
// decides over everything; otherwise the desktop portal's org.freedesktop.appearance settings,
// followed while the application runs; where the portal states no preference, Qt's palette
// (a dark window colour means a dark scheme).
class DesktopAppearance : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Appearance)
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY changed)
    // Invalid when the desktop has none.
    Q_PROPERTY(QColor accent READ accent NOTIFY changed)

public:
    explicit DesktopAppearance(QObject* parent);

    static DesktopAppearance& shared();
    static DesktopAppearance* create(QQmlEngine*, QJSEngine*) { return &shared(); }

    bool dark() const;
    QColor accent() const { return accent_; }

signals:
    void changed();

private slots:
    void portalSettingChanged(const QDBusMessage& change);

private:
    void takeScheme(const QVariant& value);
    void takeAccent(const QVariant& value);

    std::optional<bool> forced_;
    std::optional<bool> portalDark_;  // none when the portal states no preference
    QColor accent_;
};

}  // namespace fendry
