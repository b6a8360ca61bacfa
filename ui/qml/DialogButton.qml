import QtQuick
import QtQuick.Layouts
import Fendry.Ui

// A button of our dialogs; the default one is in the accent colour, the others white. The
// focused one wears the focus ring and answers Return and Space, so the keyboard always acts on
// the button it shows. A click does not take the focus.
KeyboardButton {
    id: control

    property bool isDefault: false

    font: Theme.body
    opacity: enabled ? 1 : 0.5
    horizontalPadding: 12
    // A layout never squeezes it below its words.
    Layout.minimumWidth: implicitWidth

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.isDefault ? Theme.textOnAccent : Theme.primary
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        implicitWidth: 80
        implicitHeight: 28
        radius: 6
        color: control.isDefault ? (control.down ? Theme.accentPressed : Theme.accent)
                                 : (control.down ? Theme.controlPressed : Theme.controlBackground)
        border.color: control.isDefault ? "transparent" : Theme.controlBorder

        FocusRing { owner: control; radius: parent.radius + 3 }
    }
}
