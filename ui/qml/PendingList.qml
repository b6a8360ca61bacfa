import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// One row per pending entry, built as the rows scroll into view.
Rectangle {
    id: list
    objectName: "pendingList"

    required property MainScreen screen

    color: Theme.controlBackground

    ListView {
        id: rows
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        spacing: 2
        boundsBehavior: Flickable.StopAtBounds
        model: list.screen.files
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }

        delegate: FileRow {
            width: rows.width - 12
            x: 0
            screen: list.screen
        }

        Accessible.role: Accessible.List
        Accessible.name: qsTr("Files to erase")
    }
}
