import QtQuick
import Fendry.Ui

// The empty drop area: four pulsing rings out of step, a breathing icon and the invitation.
Item {
    id: background
    objectName: "wavingBackground"

    property bool animate: false

    Component.onCompleted: animate = true

    Repeater {
        model: 4
        delegate: Rectangle {
            id: ring
            required property int index
            readonly property real restScale: 1.0 + 0.05 * index
            readonly property real pulledScale: 0.85 + 0.05 * index

            anchors.centerIn: parent
            // The border is drawn inside the rectangle; widening it by the stroke puts the
            // stroke's centre on the circle.
            width: 320 + 40 * index + 6
            height: width
            radius: width / 2
            color: "transparent"
            border.width: 6
            border.color: Qt.rgba(Theme.ringStroke.r, Theme.ringStroke.g, Theme.ringStroke.b, 0.4)
            scale: restScale

            SequentialAnimation {
                running: background.animate
                PauseAnimation { duration: 300 * ring.index }
                SequentialAnimation {
                    loops: Animation.Infinite
                    ParallelAnimation {
                        NumberAnimation { target: ring; property: "scale"; to: ring.pulledScale; duration: 2500; easing.type: Easing.InOutQuad }
                        NumberAnimation { target: ring; property: "opacity"; to: 0; duration: 2500; easing.type: Easing.InOutQuad }
                    }
                    ParallelAnimation {
                        NumberAnimation { target: ring; property: "scale"; to: ring.restScale; duration: 2500; easing.type: Easing.InOutQuad }
                        NumberAnimation { target: ring; property: "opacity"; to: 1; duration: 2500; easing.type: Easing.InOutQuad }
                    }
                }
            }
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 24

        Image {
            id: artwork
            anchors.horizontalCenter: parent.horizontalCenter
            source: "qrc:/Fendry/Ui/images/128.png"
            scale: 0.95
            Accessible.ignored: true

            SequentialAnimation on scale {
                running: background.animate
                loops: Animation.Infinite
                NumberAnimation { to: 1.1; duration: 1500; easing.type: Easing.InOutQuad }
                NumberAnimation { to: 0.95; duration: 1500; easing.type: Easing.InOutQuad }
            }
        }

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Drop files or folders here\nfor permanent deletion")
            font: Theme.systemFont(14, Font.Medium)
            color: Theme.secondary
            horizontalAlignment: Text.AlignHCenter
        }
    }
}
