import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Said when nothing on the desktop takes a mail address, a link or a folder: the text itself,
// to select or copy.
CardDialog {
    id: card
    objectName: "unopenedLinkCard"

    // "mail", "web" or "folder"
    property string kind
    property string address

    function show(kind, address) {
        card.kind = kind
        card.address = address
        open()
    }

    title: message.text
    width: widthFor(320, buttons)
    z: 10  // over any other card it was opened from
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onOpened: closeButton.forceActiveFocus()

    contentItem: ColumnLayout {
        spacing: 10

        StaticText {
            id: message
            objectName: "unopenedMessage"
            Layout.fillWidth: true
            text: card.kind === "mail" ? qsTr("No mail application could be opened. Write to us at:")
                : card.kind === "web" ? qsTr("No web browser could be opened. The link is:")
                : qsTr("No file manager could be opened. The folder is:")
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
        }
        TextArea {
            id: field
            objectName: "unopenedAddress"
            Layout.fillWidth: true
            text: card.address
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.WrapAnywhere
            textFormat: TextEdit.PlainText
            font: Theme.body
            color: Theme.primary
            background: Rectangle {
                color: Theme.controlBackground
                radius: 5
                border.color: Theme.controlBorder
            }
            Accessible.name: message.text
        }
        RowLayout {
            id: buttons
            Layout.fillWidth: true
            spacing: 8
            Item { Layout.fillWidth: true }
            DialogButton {
                objectName: "copyAddressButton"
                text: qsTr("Copy")
                onClicked: {
                    field.selectAll()
                    field.copy()
                    field.deselect()
                }
            }
            DialogButton {
                id: closeButton
                text: qsTr("Close")
                isDefault: true
                onClicked: card.close()
            }
        }
    }
}
