import QtQuick
import QtQuick.Layouts
import QtQuick.Shapes
import QtQuick.Templates as T
import Fendry.Ui

// Before a run: the drop area, and once something is pending the list, the method and the
// "Erase Files" button. The empty drop area is also a button that adds files.
ColumnLayout {
    id: area

    required property MainScreen screen
    readonly property bool hasFiles: screen.files.count > 0

    // Room kept above the list (or the empty drop area) for the intake's notice, which would
    // otherwise cover the first row; where that room starts.
    property real noticeSpace: 0
    readonly property real noticeTop: header.visible ? header.height + spacing : 0

    // The empty drop area was clicked or pressed: the user wants to choose files.
    signal addFilesRequested()

    // The keyboard goes to the list when there is one, else to the drop area: when the area
    // comes on screen (at launch, after "Start Again") and when the list comes or goes, unless
    // it is in a dialog or a menu over the window.
    function placeFocus() {
        for (let item = Window.activeFocusItem; item; item = item.parent) {
            if (item === T.Overlay.overlay)
                return
        }
        if (!hasFiles)
            addButton.forceActiveFocus()
        else if (dropContent.item && dropContent.item.takeFocus)
            dropContent.item.takeFocus()
    }
    onHasFilesChanged: Qt.callLater(placeFocus)  // once the list or the drop area is built
    Component.onCompleted: placeFocus()

    spacing: 20

    HeaderRow {
        id: header
        visible: area.hasFiles
        Layout.fillWidth: true
        screen: area.screen
    }

    Item {
        id: dropZone
        objectName: "dropZone"
        Layout.fillWidth: true
        Layout.fillHeight: true
        Layout.topMargin: area.noticeSpace
        clip: true

        Loader {
            id: dropContent
            anchors.fill: parent
            sourceComponent: area.hasFiles ? pendingList : wavingBackground
        }
        Component {
            id: wavingBackground
            WavingBackground {}
        }
        Component {
            id: pendingList
            PendingList { screen: area.screen }
        }

        // Rounds the corners of whatever the area shows by painting over them.
        Shape {
            anchors.fill: parent
            ShapePath {
                readonly property real r: 12
                readonly property real w: dropZone.width
                readonly property real h: dropZone.height
                fillColor: Theme.windowBackground
                strokeColor: "transparent"
                fillRule: ShapePath.OddEvenFill
                startX: 0; startY: 0
                PathLine { x: 0; y: 0 }
                PathLine { x: dropZone.width; y: 0 }
                PathLine { x: dropZone.width; y: dropZone.height }
                PathLine { x: 0; y: dropZone.height }
                PathLine { x: 0; y: 0 }
                PathMove { x: 12; y: 0 }
                PathLine { x: dropZone.width - 12; y: 0 }
                PathArc { x: dropZone.width; y: 12; radiusX: 12; radiusY: 12 }
                PathLine { x: dropZone.width; y: dropZone.height - 12 }
                PathArc { x: dropZone.width - 12; y: dropZone.height; radiusX: 12; radiusY: 12 }
                PathLine { x: 12; y: dropZone.height }
                PathArc { x: 0; y: dropZone.height - 12; radiusX: 12; radiusY: 12 }
                PathLine { x: 0; y: 12 }
                PathArc { x: 12; y: 0; radiusX: 12; radiusY: 12 }
            }
        }

        // The empty area is a button too: a click, Return or Space chooses files to add.
        Item {
            id: addButton
            objectName: "addFilesButton"
            anchors.fill: parent
            visible: !area.hasFiles
            activeFocusOnTab: true
            Keys.onReturnPressed: area.addFilesRequested()
            Keys.onEnterPressed: area.addFilesRequested()
            Keys.onSpacePressed: area.addFilesRequested()
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Add Files\u2026")
            Accessible.focusable: true
            Accessible.onPressAction: area.addFilesRequested()

            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: area.addFilesRequested()
            }
            FocusRing {
                anchors.margins: 0
                radius: 12
            }
        }

        DropArea {
            objectName: "dropArea"
            anchors.fill: parent
            keys: ["text/uri-list"]
            onEntered: (drag) => { drag.accepted = drag.hasUrls }
            onDropped: (drop) => {
                area.screen.handleDrop(drop.urls)
                drop.acceptProposedAction()
            }
        }
    }

    MethodSection {
        visible: area.hasFiles
        Layout.fillWidth: true
        screen: area.screen
    }

    GrowingButton {
        id: eraseButton
        objectName: "eraseButton"
        visible: area.hasFiles
        Layout.fillWidth: true
        text: qsTr("Erase Files")
        enabled: area.hasFiles
        onClicked: area.screen.showConfirmationDialog = true
    }

    ConfirmationAlert {
        screen: area.screen
    }
}
