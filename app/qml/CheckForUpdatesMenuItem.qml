import QtQuick
import QtQuick.Controls.Basic
import Fendry.App

// "Check for Updates…": enabled exactly while the updater can start a check.
AppMenuItem {
    id: item

    required property Updater updater

    text: qsTr("Check for &Updates\u2026")
    enabled: viewModel.canCheckForUpdates
    onTriggered: updater.checkForUpdates()

    CheckForUpdatesViewModel {
        id: viewModel
        updater: item.updater
    }
}
