#pragma once

#include <QtQml/qqmlregistration.h>
#include <QDBusMessage>
#include <QObject>
#include <optional>

class QJSEngine;
class QQmlEngine;

namespace fendry {

// Whether the desktop asks for less motion: FENDRY_REDUCE_MOTION=1 (or 0) decides over
// everything; otherwise GNOME's animations turned off or KDE's animation speed set to instant,
// read through the desktop portal and followed while the application runs, or from KDE's
// settings file when no portal answers. The window then shows the still end state of each
// animation.
class MotionPreference : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Motion)
    QML_SINGLETON
    Q_PROPERTY(bool reduced READ reduced NOTIFY reducedChanged)

public:
    // Reads the environment and KDE's settings file at once, and asks the portal.
    explicit MotionPreference(QObject* parent);

    // The one the windows follow, created on first use.
    static MotionPreference& shared();
    static MotionPreference* create(QQmlEngine*, QJSEngine*) { return &shared(); }

    bool reduced() const;

signals:
    void reducedChanged();

private slots:
    // The portal's SettingChanged(group, key, value).
    void portalSettingChanged(const QDBusMessage& change);

private:
    void takeSetting(const QString& group, const QString& key, const QVariant& value);

    std::optional<bool> forced_;
    bool gnomeStill_ = false;
    bool kdeStill_ = false;
};

}  // namespace fendry
