import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// A button of our dialogs; the default one is blue, the others white.
Button {
    id: control

    property bool isDefault: false

    font: Theme.body
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
    }
}
