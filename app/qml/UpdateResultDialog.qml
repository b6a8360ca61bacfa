import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui
import Fendry.App

// What a check for updates found, over the main window, from the start of the check until the
// user closes it.
CardDialog {
    id: dialog
    objectName: "updateResultDialog"

    required property Updater updater
    readonly property int outcome: updater.outcome
    readonly property bool checking: updater.sessionInProgress && outcome === Updater.None
    // The updater leaves out a link it will not open (not https, or carrying user information).
    readonly property bool canDownload: outcome === Updater.UpdateAvailable
                                        && updater.downloadUrl.toString() !== ""

    title: heading.text
    width: widthFor(320, buttons)
    closePolicy: Popup.CloseOnEscape
    // Closing it while checking abandons the check.
    onClosed: if (updater.sessionInProgress) updater.dismissResult()
    // The keyboard is on "Cancel" while checking, then on the button that Return would press.
    onOpened: focusButton()
    onCheckingChanged: if (opened) focusButton()
    function focusButton() {
        if (checking)
            cancelButton.forceActiveFocus()
        else if (canDownload)
            downloadButton.forceActiveFocus()
        else
            closeButton.forceActiveFocus()
    }

    Connections {
        target: dialog.updater
        function onSessionInProgressChanged() {
            if (dialog.updater.sessionInProgress)
                dialog.open()
            else
                dialog.close()
        }
    }

    contentItem: ColumnLayout {
        spacing: 10

        Image {
            Layout.alignment: Qt.AlignHCenter
            source: "qrc:/Fendry/Ui/images/128.png"
            sourceSize: Qt.size(48, 48)
            Accessible.ignored: true
        }
        StaticText {
            id: heading
            objectName: "updateTitle"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            font: Theme.headline
            color: Theme.primary
            text: dialog.checking ? qsTr("Checking for updates\u2026")
                : dialog.outcome === Updater.UpToDate ? qsTr("You're up to date!")
                : dialog.outcome === Updater.UpdateAvailable ? qsTr("A new version of Fendry is available!")
                : qsTr("The check for updates failed.")
        }
        BusyIndicator {
            Layout.alignment: Qt.AlignHCenter
            visible: dialog.checking
            running: visible
            Accessible.name: heading.text
        }
        DialogButton {
            id: cancelButton
            objectName: "cancelCheckButton"
            visible: dialog.checking
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Cancel")
            onClicked: dialog.updater.dismissResult()
        }
        StaticText {
            objectName: "updateMessage"
            visible: !dialog.checking
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            // It carries the server's words: never markup, and broken anywhere if need be.
            textFormat: Text.PlainText
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            font: Theme.callout
            color: Theme.primary
            text: dialog.outcome === Updater.UpToDate
                    ? qsTr("Fendry %1 is currently the newest version available.").arg(dialog.updater.currentVersion)
                : dialog.outcome === Updater.UpdateAvailable
                    ? qsTr("Fendry %1 is now available; you have %2. Download it from our website, or update it with your package manager.")
                        .arg(dialog.updater.latestVersion).arg(dialog.updater.currentVersion)
                : dialog.updater.failureReason
        }
        StaticText {
            objectName: "unusableLinkNote"
            visible: dialog.outcome === Updater.UpdateAvailable && !dialog.canDownload
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            font: Theme.callout
            color: Theme.primary
            text: qsTr("The update information offers no secure download link, so Fendry opens none.")
        }
        RowLayout {
            id: buttons
            visible: !dialog.checking
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 6
            spacing: 8

            DialogButton {
                id: closeButton
                objectName: "closeUpdateButton"
                text: dialog.outcome === Updater.UpdateAvailable ? qsTr("Close") : qsTr("OK")
                isDefault: !dialog.canDownload
                onClicked: dialog.updater.dismissResult()
            }
            DialogButton {
                id: downloadButton
                objectName: "downloadButton"
                visible: dialog.outcome === Updater.UpdateAvailable
                text: qsTr("Download")
                enabled: dialog.canDownload
                isDefault: dialog.canDownload
                onClicked: dialog.updater.openDownload()
            }
        }
    }
}
