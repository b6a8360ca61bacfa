import QtQuick
import QtQuick.Controls.Basic
import Fendry.Ui

// The orange capsule with white text that grows while it is pressed.
Button {
    id: control

    padding: Theme.padding
    font: Theme.body
    scale: pressed ? 1.2 : 1.0
    focusPolicy: Qt.TabFocus
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: text
    Accessible.onPressAction: if (enabled) clicked()

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
