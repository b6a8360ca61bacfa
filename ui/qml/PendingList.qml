import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// One row per pending entry, built as the rows scroll into view. It is one stop for the
// keyboard: the selected row takes the focus, and the arrow keys move the selection.
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
        currentIndex: -1
        model: list.screen.files
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }

        // The keyboard that comes to the list goes on to its selected row.
        onActiveFocusChanged: {
            if (!activeFocus || Window.activeFocusItem !== rows)
                return
            const rowItems = contentItem.children
            for (let i = 0; i < rowItems.length; ++i) {
                if (rowItems[i].selected) {
                    rowItems[i].forceActiveFocus()
                    return
                }
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
