import QtQuick
import Fendry.Ui

// The ring around the control that has the keyboard focus, in the accent colour, a little
// outside its parent's edge. Set `radius` to the parent's corner radius plus the gap.
Rectangle {
    // Whose focus it shows: by default the item it sits in.
    property Item owner: parent
    // Shown while the owner has the focus; a list takes it only for itself, not for its rows.
    property bool shown: owner !== null && owner.activeFocus

    anchors.fill: parent
    anchors.margins: -3
    color: "transparent"
    border.width: Theme.focusRingWidth
    border.color: Theme.focusRing
    visible: shown
}
