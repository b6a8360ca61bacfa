import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// What a wipe of free space did, and on lines of their own what it could not reach.
Item {
    id: view

    required property FreeSpaceWiper wiper
    readonly property bool success: wiper.notReachedLines.length === 0

    // The keyboard lands on "Done" once the view has come in.
    Timer {
        interval: Theme.duration(Theme.switchDuration)
        running: true
        onTriggered: doneButton.forceActiveFocus()
    }

    ColumnLayout {
        anchors.centerIn: parent
        width: parent.width
        spacing: 12

        Icon {
            objectName: "wipeSummarySymbol"
            Layout.alignment: Qt.AlignHCenter
            name: view.success ? "checkmark.seal.fill" : "exclamationmark.triangle.fill"
            color: view.success ? Theme.primary : Theme.orange
            size: 48
        }
        StaticText {
            objectName: "wipeSummaryTitle"
            // A notification to assistive technology: it is read out as it comes in.
            Accessible.role: Accessible.Notification
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: view.width - 32
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 20
            horizontalAlignment: Text.AlignHCenter
            text: view.wiper.title
            font: Theme.systemFont(28, Font.Bold)
            color: Theme.primary
        }
        Repeater {
            model: view.wiper.doneLines
            StaticText {
                required property string modelData
                objectName: "wipeDoneLine"
                Layout.alignment: Qt.AlignHCenter
                Layout.maximumWidth: view.width - 32
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                text: modelData
                font: Theme.systemFont(14)
                color: Theme.secondary
            }
        }
        Repeater {
            model: view.wiper.notReachedLines
            StaticText {
                required property string modelData
                objectName: "wipeNotReachedLine"
                Layout.alignment: Qt.AlignHCenter
                Layout.maximumWidth: view.width - 32
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                // A failure carries the system's words.
                textFormat: Text.PlainText
                text: modelData
                font: Theme.systemFont(14, Font.Medium)
                color: Theme.orange
            }
        }

        KeyboardButton {
            id: doneButton
            objectName: "wipeDoneButton"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 20
            text: qsTr("Done")
            padding: 0
            onClicked: view.wiper.finish()

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

                FocusRing { owner: doneButton; radius: parent.radius + 3 }
            }
        }
    }
}
