#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace fendry::portal {

// The desktop portal's settings (org.freedesktop.portal.Settings). `read` asks once without
// waiting, so that the first frame does not wait for the portal, and calls `take` with the
// value when there is one; `follow` connects `slot`, taking (QDBusMessage), to every change.
void read(QObject* context, const QString& group, const QString& key,
          std::function<void(const QVariant&)> take);
bool follow(QObject* receiver, const char* slot);
// The value of a SettingChanged message for `group`/`key`, if that is what it changed.
std::optional<QVariant> changed(const QDBusMessage& change, const QString& group,
                                const QString& key);
// Older portals wrap the value in one variant more than they declare.
QVariant unwrapped(QVariant value);

}  // namespace fendry::portal
