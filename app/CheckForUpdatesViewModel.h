#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QPointer>

#include "Updater.h"

namespace fendry {

// Mirrors the updater's "can check now" for one menu item: false until an updater is given,
// then the updater's current value at once and every change after it.
class CheckForUpdatesViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Updater* updater READ updater WRITE setUpdater NOTIFY updaterChanged)
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)

public:
    explicit CheckForUpdatesViewModel(QObject* parent = nullptr);

    Updater* updater() const { return updater_; }
    void setUpdater(Updater* updater);
    bool canCheckForUpdates() const { return canCheckForUpdates_; }

signals:
    void updaterChanged();
    void canCheckForUpdatesChanged();

private:
    void mirror();

    QPointer<Updater> updater_;
    QMetaObject::Connection subscription_;
    bool canCheckForUpdates_ = false;
};

}  // namespace fendry
