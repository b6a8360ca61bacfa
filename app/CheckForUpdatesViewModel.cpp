#include "CheckForUpdatesViewModel.h"

namespace fendry {

CheckForUpdatesViewModel::CheckForUpdatesViewModel(QObject* parent) : QObject(parent) {}

void CheckForUpdatesViewModel::setUpdater(Updater* updater) {
    if (updater == updater_) {
        return;
    }
    disconnect(subscription_);
    updater_ = updater;
    if (updater_ != nullptr) {
        subscription_ = connect(updater_, &Updater::canCheckForUpdatesChanged, this,
                                &CheckForUpdatesViewModel::mirror);
    }
    emit updaterChanged();
    mirror();
}

void CheckForUpdatesViewModel::mirror() {
    const bool canCheck = updater_ != nullptr && updater_->canCheckForUpdates();
    if (canCheck != canCheckForUpdates_) {
        canCheckForUpdates_ = canCheck;
        emit canCheckForUpdatesChanged();
    }
}

}  // namespace fendry
