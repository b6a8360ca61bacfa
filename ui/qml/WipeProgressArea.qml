import QtQuick
import QtQuick.Layouts
import Fendry.Ui

// A wipe of free space under way: the ring, the step, how much is written and the time left.
ColumnLayout {
    id: area

    required property FreeSpaceWiper wiper

    spacing: Theme.spacing

    Item { Layout.fillHeight: true }

    // The keyboard goes to the ring once the area has come in, so that a screen reader follows
    // the wipe from there.
    Timer {
        interval: Theme.duration(Theme.switchDuration)
        running: true
        onTriggered: ring.forceActiveFocus()
    }

    CircularProgressView {
        id: ring
        objectName: "wipeRing"
        Layout.alignment: Qt.AlignHCenter
        Layout.preferredWidth: 150
        Layout.preferredHeight: 150
        Layout.margins: Theme.padding
        progress: area.wiper.progress
        currentPass: area.wiper.step
        totalPasses: area.wiper.stepCount
        detail: qsTr("Step %1/%2").arg(area.wiper.step).arg(area.wiper.stepCount)
    }

    StaticText {
        objectName: "wipeStep"
        Layout.alignment: Qt.AlignHCenter
        Layout.maximumWidth: area.width - 32
        text: area.wiper.stepText
        font: Theme.headline
        color: Theme.primary
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
    }

    StaticText {
        objectName: "wipeWritten"
        Layout.alignment: Qt.AlignHCenter
        text: area.wiper.writtenText
        font: Theme.caption
        color: Theme.gray
    }

    Item { Layout.fillHeight: true }

    RowLayout {
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: 8
        spacing: 6

        StaticText {
            text: qsTr("Time remaining:")
            font: Theme.body
            color: Theme.secondary
        }
        Icon {
            name: "clock"
            color: Theme.secondary
            size: 12
        }
        StaticText {
            objectName: "wipeEstimate"
            text: area.wiper.hasEstimate ? area.wiper.estimateText : qsTr("Calculating...")
            font: Theme.systemFont(12)
            color: Theme.secondary
        }
    }
}
