import QtQuick
import QtQuick.Shapes
import Fendry.Ui

// Two rings: the whole run outside, the current file's passes inside, the figures in between.
Item {
    id: view

    property real progress: 0
    property int currentPass: 1
    property int totalPasses: 1
    property int currentFile: 1
    property int totalFiles: 0
    // The file is being read back after its last pass.
    property bool verifying: false
    // The words under the percentage: the pass of the file, unless the ring shows other work.
    property string detail: verifying ? qsTr("Verifying")
                                      : qsTr("Pass %1/%2").arg(currentPass).arg(totalPasses)

    readonly property real runFraction: Math.min(progress, 1.0)
    readonly property real passFraction: currentPass / totalPasses
    readonly property int percent: Math.trunc(progress * 100)
    // What assistive technology reads as the bar's value, in percent of the run.
    readonly property int value: Math.trunc(runFraction * 100)
    readonly property int minimumValue: 0
    readonly property int maximumValue: 100

    implicitWidth: 150
    implicitHeight: 150
    // It takes the keyboard for a screen reader to follow the run; with nothing to press, it
    // wears no focus ring.
    activeFocusOnTab: true

    Accessible.role: Accessible.ProgressBar
    Accessible.name: qsTr("Progress")
    Accessible.description: percentText.text + ", " + passText.text

    component Ring: ShapePath {
        property real inset: 0
        property real fraction: 1
        property bool arc: false

        fillColor: "transparent"
        capStyle: arc ? ShapePath.RoundCap : ShapePath.FlatCap
        joinStyle: arc ? ShapePath.RoundJoin : ShapePath.MiterJoin
        PathAngleArc {
            centerX: view.width / 2 + 4
            centerY: view.height / 2 + 4
            radiusX: view.width / 2 - inset
            radiusY: view.height / 2 - inset
            startAngle: -90  // the top; positive sweeps go clockwise
            sweepAngle: 360 * fraction
        }
    }

    Shape {
        // Half of the outer stroke lies outside the frame; the layer must not cut it off.
        anchors.fill: parent
        anchors.margins: -4
        layer.enabled: true
        layer.samples: 4

        Ring {
            strokeWidth: 8
            strokeColor: Theme.faded(Theme.blue, 0.3)
        }
        Ring {
            arc: true
            fraction: view.runFraction
            strokeWidth: 8
            strokeColor: view.runFraction > 0 ? Theme.blue : "transparent"
        }
        Ring {
            inset: 12
            strokeWidth: 4
            strokeColor: Theme.faded(Theme.green, 0.3)
        }
        Ring {
            arc: true
            inset: 12
            fraction: view.passFraction
            strokeWidth: 4
            strokeColor: view.passFraction > 0 ? Theme.green : "transparent"
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 4

        Text {
            id: percentText
            objectName: "percentText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("%1%").arg(view.percent)
            font: Theme.systemFont(24, Font.Bold)
            color: Theme.primary
        }
        Text {
            id: passText
            objectName: "passText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: view.detail
            font: Theme.systemFont(12)
            color: Theme.secondary
        }
    }
}
