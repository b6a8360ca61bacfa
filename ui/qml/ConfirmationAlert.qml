import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Stands between "Erase Files" and the run: nothing is erased until "Erase now".
CardDialog {
    id: alert
    objectName: "confirmationAlert"

    required property MainScreen screen

    width: 280
    focus: true
    closePolicy: Popup.CloseOnEscape

    contentItem: ColumnLayout {
        spacing: 10
        focus: true
        Accessible.role: Accessible.AlertMessage
        Accessible.name: qsTr("Are you sure?")

        Text {
            objectName: "alertTitle"
            Layout.fillWidth: true
            text: qsTr("Are you sure?")
            font: Theme.headline
            color: Theme.primary
            horizontalAlignment: Text.AlignHCenter
        }
        Text {
            objectName: "alertMessage"
            Layout.fillWidth: true
            text: qsTr("This will permanently delete %1 item(s). This action cannot be undone.")
                .arg(alert.screen.files.count)
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8
            DialogButton {
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: qsTr("Cancel")
                onClicked: alert.reject()
            }
            DialogButton {
                objectName: "eraseNowButton"
                Layout.fillWidth: true
                text: qsTr("Erase now")
                isDefault: true
                onClicked: alert.accept()
            }
        }

        Keys.onReturnPressed: alert.accept()
        Keys.onEnterPressed: alert.accept()
    }


    onAccepted: screen.startShredding()
    onClosed: screen.showConfirmationDialog = false

    Connections {
        target: alert.screen
        function onShowConfirmationDialogChanged() {
            if (alert.screen.showConfirmationDialog)
                alert.open()
            else
                alert.close()
        }
    }
}
