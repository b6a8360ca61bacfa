import QtQuick
import Fendry.Ui

// A line that tells once what was not taken in, then fades away.
Rectangle {
    id: notice
    objectName: "intakeNotice"

    function show(text) {
        label.text = text
        // Hidden for a moment, so that it comes on screen anew and is read out again.
        fade.stop()
        opacity = 0
        fade.restart()
    }

    implicitHeight: label.implicitHeight + 12
    radius: 6
    // Opaque: it lies over the top of the list.
    color: Theme.noticeBackground
    border.color: Theme.noticeBorder
    opacity: 0
    visible: opacity > 0

    // A notification to assistive technology: it is read out as it comes on screen.
    Accessible.role: Accessible.Notification
    Accessible.name: label.text

    SequentialAnimation {
        id: fade
        PropertyAction { target: notice; property: "opacity"; value: 1 }
        PauseAnimation { duration: 5000 }
        NumberAnimation { target: notice; property: "opacity"; to: 0; duration: Theme.duration(800) }
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
