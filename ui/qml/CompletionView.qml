import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// What a finished run did, with the way back to an empty list.
Item {
    id: view

    property var fileCount: 0
    property string totalSizeText
    property var linkCount: 0
    property var failedCount: 0
    property int waitingCount: 0
    property bool showDetails: false
    readonly property bool success: failedCount < 1

    signal startAgain()
    signal detailsRequested()

    // The entrance: everything waits 0.3 s, then eases in over 0.8 s.
    Timer {
        interval: 300
        running: true
        onTriggered: view.showDetails = true
    }

    ColumnLayout {
        anchors.centerIn: parent
        width: parent.width
        spacing: 16

        Icon {
            objectName: "summarySymbol"
            Layout.alignment: Qt.AlignHCenter
            name: view.success ? "checkmark.seal.fill" : "exclamationmark.triangle.fill"
            color: view.success ? Theme.primary : Theme.orange
            size: 48
            scale: view.showDetails ? 1.0 : 0.1
            // A spring that settles in about half a second with a small overshoot.
            Behavior on scale {
                NumberAnimation { duration: 500; easing.type: Easing.OutBack; easing.overshoot: 1.2 }
            }
        }

        Text {
            objectName: "summaryTitle"
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Layout.alignment: Qt.AlignHCenter
            // A title longer in some languages shrinks rather than run off the window.
            Layout.maximumWidth: view.width - 32
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 20
            text: view.success ? qsTr("All set!") : qsTr("Done, with issues")
            font: Theme.systemFont(28, Font.Bold)
            color: Theme.primary
            opacity: view.showDetails ? 1 : 0
            transform: Translate { y: view.showDetails ? 0 : 20; Behavior on y { Entrance {} } }
            Behavior on opacity { Entrance {} }
        }

        Column {
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 8
            Layout.bottomMargin: 8
            spacing: 8
            opacity: view.showDetails ? 1 : 0
            transform: Translate { y: view.showDetails ? 0 : 20; Behavior on y { Entrance {} } }
            Behavior on opacity { Entrance {} }

            Text {
                objectName: "erasedLine"
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n files securely erased", "", view.fileCount)
                font: Theme.systemFont(16, Font.Medium)
                color: Theme.secondary
            }
            Text {
                objectName: "sizeLine"
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%1 of data deleted from disk").arg(view.totalSizeText)
                font: Theme.systemFont(14)
                color: Theme.secondary
            }
            Text {
                objectName: "linksLine"
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                visible: view.linkCount > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n link(s) and special file(s) removed, none followed", "", view.linkCount)
                font: Theme.systemFont(14)
                color: Theme.secondary
            }
            Text {
                objectName: "failedLine"
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                visible: view.failedCount > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n file(s) could not be erased", "", view.failedCount)
                font: Theme.systemFont(14, Font.Medium)
                color: Theme.orange
            }
            DialogButton {
                objectName: "showDetailsButton"
                visible: view.failedCount > 0
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Show Details")
                onClicked: view.detailsRequested()
            }
            WaitingLine {
                anchors.horizontalCenter: parent.horizontalCenter
                count: view.waitingCount
            }
        }

        Button {
            objectName: "startAgainButton"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 24
            text: qsTr("Start Again")
            padding: 0
            opacity: view.showDetails ? 1 : 0
            scale: view.showDetails ? 1.0 : 0.8
            Behavior on opacity { Entrance {} }
            Behavior on scale { Entrance {} }
            onClicked: view.startAgain()

            contentItem: Text {
                width: 200
                topPadding: 12
                bottomPadding: 12
                text: parent.text
                font: Theme.systemFont(16, Font.Medium)
                color: "white"
                horizontalAlignment: Text.AlignHCenter
            }
            background: Rectangle {
                implicitWidth: 200
                color: Theme.blue
                radius: 25
            }
        }
    }

    component Entrance: NumberAnimation { duration: 800; easing.type: Easing.OutQuad }
}
