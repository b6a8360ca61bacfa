import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui
import Fendry.App

// Quitting during a run leaves the file being overwritten half done: asked first, and keeping
// on is the answer that Return and Escape give.
CardDialog {
    id: question
    objectName: "quitQuestion"

    required property AppDelegate appDelegate

    title: heading.text
    width: widthFor(300, buttons)
    closePolicy: Popup.CloseOnEscape
    onOpened: keepButton.forceActiveFocus()
    onClosed: appDelegate.showQuitQuestion = false

    Connections {
        target: question.appDelegate
        function onShowQuitQuestionChanged() {
            if (question.appDelegate.showQuitQuestion)
                question.open()
            else
                question.close()
        }
    }

    contentItem: ColumnLayout {
        spacing: 10
        Accessible.role: Accessible.AlertMessage
        Accessible.name: heading.text
        Accessible.description: message.text

        StaticText {
            id: heading
            objectName: "quitTitle"
            Layout.fillWidth: true
            text: qsTr("Stop erasing?")
            font: Theme.headline
            color: Theme.primary
            horizontalAlignment: Text.AlignHCenter
        }
        StaticText {
            id: message
            objectName: "quitMessage"
            Layout.fillWidth: true
            text: qsTr("Every file being overwritten now (up to 16 at once) will be left partly overwritten; files not reached yet stay as they are.")
            font: Theme.callout
            color: Theme.primary
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
        }
        RowLayout {
            id: buttons
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 8
            DialogButton {
                objectName: "stopAndQuitButton"
                Layout.fillWidth: true
                text: qsTr("Stop and Quit")
                onClicked: question.appDelegate.stopAndQuit()
            }
            DialogButton {
                id: keepButton
                objectName: "keepErasingButton"
                Layout.fillWidth: true
                text: qsTr("Keep Erasing")
                isDefault: true
                onClicked: question.close()
            }
        }
    }
}
