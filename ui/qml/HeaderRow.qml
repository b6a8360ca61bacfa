import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// "Total Files:" with what the pending entries stand for, and "Clear All".
RowLayout {
    id: row
    objectName: "headerRow"

    required property MainScreen screen

    spacing: Theme.spacing

    StaticText {
        objectName: "totalFiles"
        Layout.leftMargin: 8
        text: qsTr("Total Files: %1").arg(row.screen.files.totalKnown ? row.screen.files.totalFiles
                                                                       : qsTr("Counting\u2026"))
        font: Theme.headline
        color: Theme.secondary
    }

    Item { Layout.fillWidth: true }

    DialogButton {
        objectName: "clearAll"
        Layout.rightMargin: 8
        text: qsTr("Clear All")
        topPadding: 4
        bottomPadding: 4
        leftPadding: 10
        rightPadding: 10
        onClicked: row.screen.clearAll()
    }
}
