import QtQuick
import QtQuick.Window
import Fendry.Ui

// The empty drop area: four pulsing rings out of step, a breathing icon and the invitation.
//
// The pulse is stepped by a timer every 80 ms rather than at the display's rate: it moves a
// ring's edge by a pixel or two a step, and each step redraws the whole window, which a
// software renderer pays for in full (at the display's 60 frames a second the empty window took
// a fifth of a core). It stands still while the window is minimised or hidden, and when the
// desktop asks for less motion.
Item {
    id: background
    objectName: "wavingBackground"

    // Seconds of pulse so far.
    property real elapsed: 0
    readonly property bool animate: !Theme.reduceMotion && Window.visibility !== Window.Hidden
                                    && Window.visibility !== Window.Minimized

    // Qt's quadratic ease-in-out over the half-period `period`, there and back: 0 at rest, 1 at
    // the far end.
    function pulse(seconds, period) {
        if (seconds <= 0)
            return 0
        const phase = (seconds % (2 * period)) / period
        const t = phase <= 1 ? phase : 2 - phase
        return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t)
    }

    Timer {
        id: clock
        property real last: 0
        interval: 80
        repeat: true
        running: background.animate
        onRunningChanged: last = Date.now()
        onTriggered: {
            const now = Date.now()
            // A late tick (a busy machine, a window coming back) does not jump ahead.
            background.elapsed += Math.min(now - last, 200) / 1000
            last = now
        }
    }

    Repeater {
        model: 4
        delegate: Rectangle {
            id: ring
            required property int index
            readonly property real restScale: 1.0 + 0.05 * index
            readonly property real pulledScale: 0.85 + 0.05 * index
            // Each ring starts 0.3 s after the one inside it.
            readonly property real pulled: background.pulse(background.elapsed - 0.3 * index, 2.5)

            anchors.centerIn: parent
            // The border is drawn inside the rectangle; widening it by the stroke puts the
            // stroke's centre on the circle.
            width: 320 + 40 * index + 6
            height: width
            radius: width / 2
            color: "transparent"
            border.width: 6
            border.color: Theme.faded(Theme.ringStroke, 0.4)
            scale: restScale + (pulledScale - restScale) * pulled
            opacity: 1 - pulled
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 24

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "qrc:/Fendry/Ui/images/128.png"
            scale: 0.95 + 0.15 * background.pulse(background.elapsed, 1.5)
            Accessible.ignored: true
        }

        StaticText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Drop files or folders here\nfor permanent deletion")
            font: Theme.systemFont(14, Font.Medium)
            color: Theme.secondary
            horizontalAlignment: Text.AlignHCenter
        }
    }
}
