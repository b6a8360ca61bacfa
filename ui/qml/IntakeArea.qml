import QtQuick
import QtQuick.Layouts
import QtQuick.Shapes
import Fendry.Ui

// Before a run: the drop area, and once something is pending the list, the method and the
// "Erase Files" button.
ColumnLayout {
    id: area

    required property MainScreen screen
    readonly property bool hasFiles: screen.files.count > 0

    spacing: 20

    HeaderRow {
        visible: area.hasFiles
        Layout.fillWidth: true
        screen: area.screen
    }

    Item {
        id: dropZone
        objectName: "dropZone"
        Layout.fillWidth: true
        Layout.fillHeight: true
        clip: true

        Loader {
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
