import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// A button of our dialogs; the default one is blue, the others white. The focused one wears a
// ring and answers Return, so the keyboard always acts on the button it shows.
Button {
    id: control

    property bool isDefault: false

    font: Theme.body
    opacity: enabled ? 1 : 0.5
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.isDefault ? "white" : Theme.primary
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        implicitWidth: 80
        implicitHeight: 28
        radius: 6
        color: control.isDefault ? (control.down ? Qt.darker(Theme.blue, 1.2) : Theme.blue)
                                 : (control.down ? "#d8d8d8" : "#ffffff")
        border.color: control.isDefault ? "transparent" : "#c8c8c8"

        Rectangle {
            anchors.fill: parent
            anchors.margins: -3
            radius: parent.radius + 3
            color: "transparent"
            border.width: 2
            border.color: Qt.rgba(Theme.blue.r, Theme.blue.g, Theme.blue.b, 0.5)
            visible: control.activeFocus
        }
    }
}
