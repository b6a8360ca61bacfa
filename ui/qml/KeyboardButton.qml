import QtQuick
import QtQuick.Controls.Basic

// A button that Tab reaches and Return, Enter or Space press, and that assistive technology
// names by its text and can press. A click does not take the focus.
Button {
    focusPolicy: Qt.TabFocus
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Accessible.name: text
    Accessible.onPressAction: if (enabled) clicked()
}
