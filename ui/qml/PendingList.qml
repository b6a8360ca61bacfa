import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// One row per pending entry, built as the rows scroll into view. It is one stop for the
// keyboard: the selected row is the list's current item, always scrolled into view, and has the
// focus while the list has it; the arrow keys (anywhere), Page Up, Page Down, Home and End move
// the selection, and Delete takes the selected row off the list.
Rectangle {
    id: list
    objectName: "pendingList"

    required property MainScreen screen

    // Gives the keyboard to the list, and so to its selected row.
    function takeFocus() {
        rows.forceActiveFocus()
    }

    color: Theme.controlBackground

    ListView {
        id: rows
        objectName: "pendingRows"
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        spacing: 2
        boundsBehavior: Flickable.StopAtBounds
        activeFocusOnTab: true
        keyNavigationEnabled: false  // the screen's arrow keys move the selection
        highlightFollowsCurrentItem: false
        // The current item has the focus inside the list: the selection and the focus are one.
        currentIndex: list.screen.selectedRow
        model: list.screen.files
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }
        // The rows that Page Up and Page Down move by: as many as the list shows at once.
        readonly property int pageRows: currentItem
                                        ? Math.max(1, Math.floor(height / (currentItem.height + spacing)))
                                        : 1

        // Where the selection goes, the list follows, also when it shrinks or a row is removed.
        function showSelected() {
            if (currentIndex >= 0)
                positionViewAtIndex(currentIndex, ListView.Contain)
        }
        onCurrentIndexChanged: showSelected()
        onHeightChanged: showSelected()
        Component.onCompleted: showSelected()

        Keys.onPressed: (event) => {
            if (event.key === Qt.Key_Delete) {
                if (list.screen.selectedRow >= 0)
                    list.screen.removeFile(list.screen.selectedFile)
                event.accepted = true
            } else if (event.modifiers === Qt.NoModifier) {
                event.accepted = list.screen.moveSelection(event.key, pageRows)
            }
        }

        delegate: FileRow {
            width: rows.width - 12
            x: 0
            screen: list.screen
            onRemoved: list.takeFocus()
        }

        Accessible.role: Accessible.List
        Accessible.name: qsTr("Files to erase")
    }

    // Inside the edge: the drop zone clips what lies outside and rounds its corners by 12.
    FocusRing {
        owner: rows
        anchors.margins: 0
        radius: 12
        shown: rows.activeFocus && rows.Window.activeFocusItem === rows
    }
}
