import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// The orange capsule with white text that grows while it is pressed.
Button {
    id: control

    padding: Theme.padding
    font: Theme.body
    scale: pressed ? 1.2 : 1.0

    Behavior on scale {
        NumberAnimation { duration: 200; easing.type: Easing.OutQuad }
    }

    contentItem: Text {
        text: control.text
        font: control.font
        color: "white"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        color: Theme.growingButton
        radius: height / 2
    }
}
