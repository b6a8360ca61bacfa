import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Stands between the folder chosen and the wipe, as "Are you sure?" stands before an erase:
// which file system, how much will be written and for how long, what it cannot reach, and that
// the disk looks full meanwhile. Or, where a wipe cannot work, why not.
CardDialog {
    id: alert
    objectName: "wipeAlert"

    required property FreeSpaceWiper wiper
    readonly property bool refused: wiper.state === FreeSpaceWiper.Refused

    title: heading.text
    width: widthFor(320, buttons)
    closePolicy: Popup.CloseOnEscape

    onAboutToShow: (refused ? okButton : wipeNowButton).focus = true
    onOpened: (refused ? okButton : wipeNowButton).forceActiveFocus()
    onAccepted: wiper.start()
    onClosed: wiper.cancel()

    Connections {
        target: alert.wiper
        function onStateChanged() {
            const asks = alert.wiper.state === FreeSpaceWiper.Confirming || alert.refused
            if (asks)
                alert.open()
            else
                alert.close()
        }
    }

    // A line with a warning sign before it, shown when it says something.
    component Caution: RowLayout {
        property alias text: words.text
        property string name
        visible: text !== ""
        Layout.fillWidth: true
        spacing: 8
        Icon {
            Layout.alignment: Qt.AlignTop
            Layout.topMargin: 1
            name: "exclamationmark.triangle.fill"
            color: Theme.orange
            size: 14
        }
        StaticText {
            id: words
            objectName: parent.name
            Layout.fillWidth: true
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            textFormat: Text.PlainText
        }
    }

    contentItem: ColumnLayout {
        spacing: 10
        focus: true
        Accessible.role: Accessible.AlertMessage
        Accessible.name: heading.text
        Accessible.description: [fileSystem.text, amount.text, fullDisk.text,
                                 reserve.text, caution.text, refusal.text]
            .filter(text => text !== "" && text !== undefined).join(" ")

        StaticText {
            id: heading
            objectName: "wipeAlertTitle"
            Layout.fillWidth: true
            text: alert.refused ? qsTr("The Free Space Here Cannot Be Wiped")
                                : qsTr("Wipe Free Space?")
            font: Theme.headline
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: refusal
            objectName: "wipeRefusal"
            visible: alert.refused
            Layout.fillWidth: true
            text: alert.refused ? qsTr("Fendry cannot wipe the free space under \u201C%1\u201D: %2.")
                                      .arg(alert.wiper.folder, alert.wiper.refusal) : ""
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: fileSystem
            objectName: "wipeFileSystem"
            visible: !alert.refused
            Layout.fillWidth: true
            // A mount point and a device are the system's names, shown as they are.
            text: alert.refused ? "" : alert.wiper.fileSystem
            font: Theme.headline
            color: Theme.primary
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: amount
            objectName: "wipeAmount"
            visible: !alert.refused
            Layout.fillWidth: true
            text: alert.refused ? "" : alert.wiper.amount + " " + alert.wiper.duration
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: fullDisk
            objectName: "wipeFullDisk"
            visible: !alert.refused
            Layout.fillWidth: true
            text: alert.refused ? "" : alert.wiper.fullDisk
            font: Theme.callout
            color: Theme.secondary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        Caution {
            id: reserve
            name: "wipeReserve"
            text: alert.refused ? "" : alert.wiper.reserve
        }
        Caution {
            id: caution
            name: "wipeCaution"
            text: alert.refused ? "" : alert.wiper.caution
        }
        RowLayout {
            id: buttons
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8
            visible: !alert.refused
            DialogButton {
                objectName: "wipeCancelButton"
                Layout.fillWidth: true
                text: qsTr("Cancel")
                onClicked: alert.reject()
            }
            DialogButton {
                id: wipeNowButton
                objectName: "wipeNowButton"
                Layout.fillWidth: true
                text: qsTr("Wipe now")
                isDefault: true
                onClicked: alert.accept()
            }
        }
        DialogButton {
            id: okButton
            objectName: "wipeOkButton"
            visible: alert.refused
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("OK")
            isDefault: true
            onClicked: alert.reject()
        }
    }
}
