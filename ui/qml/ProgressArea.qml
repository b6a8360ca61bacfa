import QtQuick
import QtQuick.Layouts
import Fendry.Ui

// A run in progress: the rings, the file being erased and the time left.
ColumnLayout {
    id: area

    required property MainScreen screen

    spacing: Theme.spacing

    Item { Layout.fillHeight: true }

    // The keyboard goes to the ring once the area has come in, so that a screen reader follows
    // the run from there.
    Timer {
        interval: Theme.duration(Theme.switchDuration)
        running: true
        onTriggered: ring.forceActiveFocus()
    }

    CircularProgressView {
        id: ring
        objectName: "progressRing"
        Layout.alignment: Qt.AlignHCenter
        Layout.preferredWidth: 150
        Layout.preferredHeight: 150
        Layout.margins: Theme.padding
        progress: area.screen.shreddingProgress
        currentPass: area.screen.currentPass + 1
        totalPasses: area.screen.passesPerFile
        verifying: area.screen.readingBack
        currentFile: area.screen.currentFileNumber
        totalFiles: area.screen.totalFiles
    }

    StaticText {
        objectName: "processingText"
        Layout.alignment: Qt.AlignHCenter
        // Held back, keeping its place, until the run knows how many files there are.
        opacity: area.screen.hasWorkList ? 1 : 0
        text: qsTr("Processing file %1 of %2")
            .arg(area.screen.currentFileNumber).arg(area.screen.totalFiles)
        font: Theme.headline
        color: Theme.primary
    }

    StaticText {
        objectName: "currentFileName"
        visible: area.screen.currentFileName !== ""
        Layout.alignment: Qt.AlignHCenter
        Layout.maximumWidth: 200
        text: area.screen.currentFileName
        font: Theme.caption
        color: Theme.gray
        elide: Text.ElideLeft
        maximumLineCount: 1
        textFormat: Text.PlainText
    }

    WaitingLine {
        Layout.alignment: Qt.AlignHCenter
        count: area.screen.waitingCount
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
            objectName: "estimate"
            // The estimate is a formatted duration, shown as it is.
            text: area.screen.hasEstimate ? area.screen.estimateText : qsTr("Calculating...")
            font: Theme.systemFont(12)
            color: Theme.secondary
        }
    }
}
