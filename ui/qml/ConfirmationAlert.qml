import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Stands between "Erase Files" and the run: nothing is erased until "Erase now", and "Erase now"
// waits until the alert can say what it will erase, counted afresh.
CardDialog {
    id: alert
    objectName: "confirmationAlert"

    required property MainScreen screen
    readonly property bool counting: screen.files.isRefreshing

    title: heading.text
    width: widthFor(300, buttons)
    focus: true
    closePolicy: Popup.CloseOnEscape

    // "Erase now" has the focus as the alert opens, or as soon as it can take it, unless the
    // user has moved the focus meanwhile.
    property bool eraseNowAwaitsFocus: false
    function focusEraseNow() {
        if (eraseNowAwaitsFocus && opened && !counting) {
            eraseNowAwaitsFocus = false
            eraseNowButton.forceActiveFocus()
        }
    }
    onAboutToShow: {
        eraseNowButton.focus = true  // not the button that had it when the alert last closed
        eraseNowAwaitsFocus = true
    }
    onOpened: focusEraseNow()
    onCountingChanged: {
        focusEraseNow()
        // The count read out when the alert opened was "Counting…": the real one is news.
        if (!counting && opened)
            Qt.callLater(() => { if (!alert.counting) announcer.announce(message.text) })
    }

    contentItem: ColumnLayout {
        spacing: 10
        focus: true
        Accessible.role: Accessible.AlertMessage
        Accessible.name: heading.text
        Accessible.description: [message.text, caution.text].filter(text => text !== "").join(" ")

        Announcer {
            id: announcer
            Layout.preferredHeight: 0
        }
        StaticText {
            id: heading
            objectName: "alertTitle"
            Layout.fillWidth: true
            text: qsTr("Are you sure?")
            font: Theme.headline
            color: Theme.primary
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: message
            objectName: "alertMessage"
            Layout.fillWidth: true
            text: alert.counting
                  ? qsTr("Counting\u2026")
                  //: %1 is the count of files, as in "(4 files)"
                  : qsTr("This will permanently delete %n item(s) (%1). This action cannot be undone.",
                         "", alert.screen.files.count)
                        .arg(qsTr("%n files", "", alert.screen.files.totalFiles))
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        RowLayout {
            visible: !alert.counting && caution.text !== ""
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
                id: caution
                objectName: "storageCaution"
                Layout.fillWidth: true
                text: alert.screen.storageCaution
                font: Theme.callout
                color: Theme.primary
                wrapMode: Text.WordWrap
                textFormat: Text.PlainText
            }
        }
        RowLayout {
            id: buttons
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8
            DialogButton {
                id: cancelButton
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: qsTr("Cancel")
                onActiveFocusChanged: if (activeFocus) alert.eraseNowAwaitsFocus = false
                onClicked: alert.reject()
            }
            DialogButton {
                id: eraseNowButton
                objectName: "eraseNowButton"
                Layout.fillWidth: true
                text: qsTr("Erase now")
                isDefault: true
                enabled: !alert.counting
                onClicked: alert.accept()
            }
        }
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
