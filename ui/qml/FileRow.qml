import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// A pending entry: its icon and name, a folder's file count, and for the selected row the
// buttons that show it in the file manager and take it off the list.
Rectangle {
    id: row

    required property MainScreen screen
    required property string key
    required property string name
    required property bool isFolder
    required property var itemCount
    readonly property bool selected: screen.selectedFile === key

    implicitHeight: content.implicitHeight + 12
    radius: 4
    color: selected ? Qt.rgba(Theme.blue.r, Theme.blue.g, Theme.blue.b, 0.1) : "transparent"

    Accessible.role: Accessible.ListItem
    Accessible.name: isFolder ? qsTr("%1, %2 items").arg(name).arg(itemCount) : name
    Accessible.selectable: true
    Accessible.selected: selected

    MouseArea {
        anchors.fill: parent
        onClicked: row.screen.selectedFile = row.key
    }

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        anchors.topMargin: 6
        anchors.bottomMargin: 6
        spacing: 8

        Icon {
            name: row.isFolder ? "folder.fill" : "doc.fill"
            color: row.isFolder ? Theme.blue : Theme.gray
            size: 14
        }

        Column {
            Layout.fillWidth: true
            spacing: 2
            Text {
                width: parent.width
                text: row.name
                textFormat: Text.PlainText  // a name is never markup
                font: Theme.systemFont(13)
                color: Theme.primary
                elide: Text.ElideMiddle
            }
            Text {
                visible: row.isFolder
                text: qsTr("%1 items").arg(row.itemCount)
                font: Theme.systemFont(11)
                color: Theme.secondary
            }
        }

        RowButton {
            objectName: "revealButton"
            symbol: "magnifyingglass"
            tint: Theme.blue
            accessibleName: qsTr("Show in Folder")
            shown: row.selected
            onClicked: row.screen.reveal(row.key)
        }

        RowButton {
            objectName: "removeButton"
            symbol: "xmark"
            tint: Theme.red
            accessibleName: qsTr("Remove from List")
            shown: row.selected
            onClicked: row.screen.removeFile(row.key)
        }
    }

    // A bare symbol button, invisible and inert unless its row is selected.
    component RowButton: AbstractButton {
        property string symbol
        property color tint
        property string accessibleName
        property bool shown

        opacity: shown ? 1 : 0
        enabled: shown
        padding: 2
        contentItem: Icon { name: parent.symbol; color: parent.tint; size: 12 }
        background: null
        Accessible.role: Accessible.Button
        Accessible.name: accessibleName
    }
}
