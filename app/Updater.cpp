#include "Updater.h"

Updater::Updater(QObject* parent) : QObject(parent) {}

void Updater::start() {
    if (started_) {
        return;
    }
    started_ = true;
    emit canCheckForUpdatesChanged();
}
