import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// A pending entry: its icon and name, what a folder holds or where a link points, and for the
// selected row the buttons that show it in the file manager and take it off the list. The
// selected row has the list's keyboard focus.
Rectangle {
    id: row

    required property MainScreen screen
    required property string key
    required property string name
    required property string path
    required property bool isFolder
    required property var itemCount
    required property bool counted
    required property string linkTarget
    readonly property bool selected: screen.selectedFile === key
    readonly property bool isLink: linkTarget !== ""
    readonly property string detail: isLink ? qsTr("Link to %1").arg(linkTarget)
                                   : !isFolder ? ""
                                   : counted ? qsTr("%n items", "", itemCount)
                                   : qsTr("Counting\u2026")

    // About to be taken off the list by its own button.
    signal removed()

    implicitHeight: content.implicitHeight + 12
    radius: 4
    color: selected ? Theme.selection : "transparent"
    Accessible.role: Accessible.ListItem
    Accessible.name: isLink ? qsTr("%1, link to %2").arg(name).arg(linkTarget)
                   : isFolder ? qsTr("%1, %2").arg(name).arg(detail)
                   : name
    Accessible.description: path
    Accessible.selectable: true
    Accessible.focusable: true
    Accessible.selected: selected
    Accessible.onPressAction: screen.selectedFile = key

    // A name cut short can be read whole by pointing at it.
    HoverHandler { id: hover }
    ToolTip.visible: hover.hovered && nameText.truncated
    ToolTip.text: path
    ToolTip.delay: 600

    MouseArea {
        anchors.fill: parent
        onClicked: row.screen.selectedFile = row.key
    }

    FocusRing { radius: parent.radius + 2; anchors.margins: 0 }

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
                id: nameText
                objectName: "rowName"
                width: parent.width
                text: row.name
                textFormat: Text.PlainText  // a name is never markup
                font: Theme.systemFont(13)
                color: Theme.primary
                elide: Text.ElideMiddle
                maximumLineCount: 1
            }
            Text {
                objectName: "rowDetail"
                visible: row.detail !== ""
                width: parent.width
                text: row.detail
                font: Theme.systemFont(11)
                color: Theme.secondary
                elide: Text.ElideMiddle
                maximumLineCount: 1
                textFormat: Text.PlainText
            }
        }

        RowButton {
            objectName: "revealButton"
            symbol: "magnifyingglass"
            tint: Theme.blue
            accessibleName: qsTr("Show in Folder: %1").arg(row.name)
            shown: row.selected
            onClicked: row.screen.reveal(row.key)
        }

        RowButton {
            id: removeButton
            objectName: "removeButton"
            symbol: "xmark"
            tint: Theme.red
            //: %1 is the name of the item the button takes off the list
            accessibleName: qsTr("Remove from List: %1").arg(row.name)
            shown: row.selected
            // The row goes with the entry: nothing of it is touched after the removal.
            onClicked: {
                row.removed()
                row.screen.removeFile(row.key)
            }
        }
    }

    // A bare symbol button, invisible and inert unless its row is selected.
    component RowButton: AbstractButton {
        id: button

        property string symbol
        property color tint
        property string accessibleName
        property bool shown

        opacity: shown ? 1 : 0
        enabled: shown
        padding: 2
        focusPolicy: Qt.TabFocus
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        contentItem: Icon { name: button.symbol; color: button.tint; size: 12 }
        background: Item {
            FocusRing { owner: button; radius: 4 }
        }
        Accessible.role: Accessible.Button
        Accessible.name: accessibleName
        Accessible.onPressAction: if (enabled) clicked()
    }
}
