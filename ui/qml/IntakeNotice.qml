import QtQuick
import Fendry.Ui

// A line that tells once what was not taken in, then fades away.
Rectangle {
    id: notice
    objectName: "intakeNotice"

    function show(text) {
        label.text = text
        fade.restart()
    }

    implicitHeight: label.implicitHeight + 12
    radius: 6
    // Opaque: it lies over the top of the list.
    color: Qt.tint(Theme.controlBackground, Qt.rgba(Theme.orange.r, Theme.orange.g, Theme.orange.b, 0.15))
    border.color: Qt.tint(Theme.controlBackground, Qt.rgba(Theme.orange.r, Theme.orange.g, Theme.orange.b, 0.6))
    opacity: 0
    visible: opacity > 0

    Accessible.role: Accessible.AlertMessage
    Accessible.name: label.text

    SequentialAnimation {
        id: fade
        PropertyAction { target: notice; property: "opacity"; value: 1 }
        PauseAnimation { duration: 5000 }
        NumberAnimation { target: notice; property: "opacity"; to: 0; duration: 800 }
    }

    Text {
        id: label
        anchors.fill: parent
        anchors.margins: 6
        font: Theme.callout
        color: Theme.primary
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        textFormat: Text.PlainText
    }
}
