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
    property var filesNotErased: 0
    property var foldersKept: 0
    property int waitingCount: 0
    property bool showDetails: false
    property bool canSaveReport: false
    // Why the last "Save Report…" failed; empty when it worked or was not tried.
    property string reportError
    readonly property bool success: failedCount < 1

    signal startAgain()
    signal detailsRequested()
    signal saveReportRequested()

    // The keyboard lands where the user will act next: the details of a run with failures, or
    // else "Start Again".
    function takeFocus() {
        if (view.failedCount > 0)
            detailsButton.forceActiveFocus()
        else
            startAgainButton.forceActiveFocus()
    }

    // The entrance: everything waits 0.3 s, then comes in over 0.8 s, slowing to a stop; with
    // less motion wished for, everything is in place at once. The keyboard comes once the
    // buttons are in.
    Timer {
        interval: Theme.reduceMotion ? 0 : 300
        running: true
        onTriggered: view.showDetails = true
    }
    Timer {
        interval: Theme.reduceMotion ? 0 : 1100
        running: true
        onTriggered: view.takeFocus()
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
            // Grows with a small overshoot (Qt's OutBack curve over half a second).
            Behavior on scale {
                NumberAnimation {
                    duration: Theme.duration(500)
                    easing.type: Easing.OutBack
                    easing.overshoot: 1.2
                }
            }
        }

        // Keeps the title's place while it waits, so that nothing moves when it comes in.
        Item {
            Layout.alignment: Qt.AlignHCenter
            // A title longer in some languages shrinks rather than run off the window.
            Layout.maximumWidth: view.width - 32
            implicitWidth: title.implicitWidth
            implicitHeight: title.implicitHeight

            StaticText {
                id: title
                objectName: "summaryTitle"
                // A notification to assistive technology: it is read out as it comes in.
                Accessible.role: Accessible.Notification
                visible: view.showDetails
                width: parent.width
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 20
                horizontalAlignment: Text.AlignHCenter
                text: view.success ? qsTr("All set!") : qsTr("Done, with issues")
                font: Theme.systemFont(28, Font.Bold)
                color: Theme.primary
                opacity: view.showDetails ? 1 : 0
                transform: Translate { y: view.showDetails ? 0 : 20; Behavior on y { Entrance {} } }
                Behavior on opacity { Entrance {} }
            }
        }

        Column {
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 8
            Layout.bottomMargin: 8
            spacing: 8
            opacity: view.showDetails ? 1 : 0
            transform: Translate { y: view.showDetails ? 0 : 20; Behavior on y { Entrance {} } }
            Behavior on opacity { Entrance {} }

            StaticText {
                objectName: "erasedLine"
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n files securely erased", "", view.fileCount)
                font: Theme.systemFont(16, Font.Medium)
                color: Theme.secondary
            }
            StaticText {
                objectName: "sizeLine"
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%1 of data deleted from disk").arg(view.totalSizeText)
                font: Theme.systemFont(14)
                color: Theme.secondary
            }
            StaticText {
                objectName: "linksLine"
                visible: view.linkCount > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n link(s) and special file(s) removed, none followed", "", view.linkCount)
                font: Theme.systemFont(14)
                color: Theme.secondary
            }
            StaticText {
                objectName: "failedLine"
                visible: view.filesNotErased > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n file(s) could not be erased", "", view.filesNotErased)
                font: Theme.systemFont(14, Font.Medium)
                color: Theme.orange
            }
            StaticText {
                objectName: "foldersKeptLine"
                visible: view.foldersKept > 0
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("%n folder(s) not removed", "", view.foldersKept)
                font: Theme.systemFont(14, Font.Medium)
                color: Theme.orange
            }
            DialogButton {
                id: detailsButton
                objectName: "showDetailsButton"
                visible: view.failedCount > 0
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Show Details")
                onClicked: view.detailsRequested()
            }
            TextButton {
                objectName: "saveReportButton"
                visible: view.canSaveReport
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Save Report…")
                Accessible.description: reportPrivacy.text
                onClicked: view.saveReportRequested()
            }
            StaticText {
                id: reportPrivacy
                objectName: "reportPrivacyLine"
                visible: view.canSaveReport
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 48)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("The report lists the names of everything erased. It is saved only where you choose and sent nowhere.")
                font: Theme.caption
                color: Theme.gray
            }
            StaticText {
                objectName: "reportErrorLine"
                visible: view.reportError !== ""
                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth, view.width - 32)
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                Accessible.role: Accessible.Notification
                text: view.reportError
                textFormat: Text.PlainText
                font: Theme.caption
                color: Theme.orange
            }
            WaitingLine {
                anchors.horizontalCenter: parent.horizontalCenter
                count: view.waitingCount
            }
        }

        KeyboardButton {
            id: startAgainButton
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
                color: Theme.textOnAccent
                horizontalAlignment: Text.AlignHCenter
            }
            background: Rectangle {
                implicitWidth: 200
                color: Theme.accent
                radius: 25

                FocusRing { owner: startAgainButton; radius: parent.radius + 3 }
            }
        }
    }

    component Entrance: NumberAnimation { duration: Theme.duration(800); easing.type: Easing.OutQuad }
}
