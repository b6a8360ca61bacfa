import QtQuick
import Fendry.Ui

// A button drawn as its text alone, by default in the accent colour; a link is underlined and
// says so to assistive technology. Not a Qt Quick Controls button: those tell assistive
// technology their own role whatever is set here.
Item {
    id: control

    property alias text: label.text
    // What assistive technology calls it, where its words alone do not say enough.
    property string accessibleName: text
    property font font: Theme.body
    property bool link: false
    property color tint: Theme.accentText
    readonly property alias down: mouse.pressed

    signal clicked()

    implicitWidth: label.implicitWidth + 4
    implicitHeight: label.implicitHeight + 4
    activeFocusOnTab: true
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onSpacePressed: clicked()
    Accessible.role: link ? Accessible.Link : Accessible.Button
    Accessible.name: accessibleName
    Accessible.focusable: true
    Accessible.onPressAction: if (enabled) clicked()

    Text {
        id: label
        anchors.centerIn: parent
        font.pixelSize: control.font.pixelSize
        font.weight: control.font.weight
        font.underline: control.link
        color: control.down ? Theme.pressed(control.tint) : control.tint
        opacity: control.enabled ? 1 : 0.5
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        cursorShape: control.link ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: control.clicked()
    }

    FocusRing { radius: 4 }
}
