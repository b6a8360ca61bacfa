import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T

// The look of our dialogs: a light card centred over the window, which it dims. Its title is
// not drawn (each dialog sets out its own words) but names it to assistive technology.
Dialog {
    parent: T.Overlay.overlay
    anchors.centerIn: parent
    modal: true
    padding: 20
    header: null
    footer: null

    background: Rectangle {
        color: "#f6f6f6"
        radius: 10
        border.color: "#c8c8c8"
    }
}
