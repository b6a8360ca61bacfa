import QtQuick
import Fendry.Ui

// The orange capsule with white text that grows while it is pressed.
KeyboardButton {
    id: control

    padding: Theme.padding
    font: Theme.body
    scale: pressed ? 1.2 : 1.0

    Behavior on scale {
        NumberAnimation { duration: Theme.duration(200); easing.type: Easing.OutQuad }
    }

    contentItem: Text {
        text: control.text
        font: control.font
        color: Theme.textOnAccent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        color: Theme.growingButton
        radius: height / 2

        FocusRing { owner: control; radius: height / 2 }
    }
}
