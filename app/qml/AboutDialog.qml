import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Who we are, in a small card over the window.
CardDialog {
    id: about
    objectName: "aboutDialog"

    title: qsTr("About Fendry")
    width: 320
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onOpened: okButton.forceActiveFocus()

    contentItem: ColumnLayout {
        spacing: 8

        Image {
            Layout.alignment: Qt.AlignHCenter
            source: "qrc:/Fendry/Ui/images/128.png"
            sourceSize: Qt.size(64, 64)
            Accessible.ignored: true
        }
        StaticText {
            Layout.alignment: Qt.AlignHCenter
            text: "Fendry"
            font.pixelSize: Theme.title2.pixelSize
            font.bold: true
            color: Theme.primary
        }
        StaticText {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Version %1").arg(Qt.application.version)
            font: Theme.callout
            color: Theme.secondary
        }
        StaticText {
            Layout.fillWidth: true
            text: qsTr("Erases files and folders beyond recovery by overwriting them with random data before removing them.")
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            Layout.fillWidth: true
            text: qsTr("Licensed under the GNU General Public License, version 3 or later.")
            font: Theme.caption
            color: Theme.secondary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            Layout.fillWidth: true
            text: qsTr("Overwriting in place cannot reach copies that the storage keeps elsewhere: copy-on-write file systems, snapshots, backups and the spare blocks of SSDs.")
            font: Theme.caption
            color: Theme.secondary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        DialogButton {
            id: okButton
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 6
            text: qsTr("OK")
            isDefault: true
            onClicked: about.close()
        }
    }
}
