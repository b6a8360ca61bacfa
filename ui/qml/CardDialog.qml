import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Fendry.Ui

// The look of our dialogs: a light card centred over the window, which it dims. Its title is
// not drawn (each dialog sets out its own words) but names it to assistive technology. It takes
// the keyboard while open, and gives it back where it was when it closes.
Dialog {
    id: card

    // The card's width: `preferred`, or wider where its row of buttons needs it (longer words in
    // some languages), but never wider than the window.
    function widthFor(preferred, buttons) {
        const needed = buttons.implicitWidth + leftPadding + rightPadding
        return Math.min(parent ? parent.width - 24 : preferred, Math.max(preferred, needed))
    }

    // The item that had the keyboard focus when the card opened.
    property Item focusBefore: null

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    padding: 20
    header: null
    footer: null

    onAboutToShow: focusBefore = parent && parent.Window.window ? parent.Window.window.activeFocusItem
                                                                : null
    onClosed: {
        // Only to an item still on screen and able to take it: the screen may have moved on.
        if (focusBefore && focusBefore.visible && focusBefore.enabled) {
            focusBefore.forceActiveFocus()
        } else if (focusBefore && overItems(focusBefore) && parent.Window.window) {
            // Opened from a menu, which is gone: back to where the keyboard was in the
            // window's content, which keeps it.
            parent.Window.window.contentItem.forceActiveFocus()
        }
        focusBefore = null
    }
    // Whether the item lies over the window's content, in a menu or another card.
    function overItems(item) {
        for (; item; item = item.parent) {
            if (item === T.Overlay.overlay)
                return true
        }
        return false
    }

    background: Rectangle {
        color: Theme.cardBackground
        radius: 10
        border.color: Theme.controlBorder
    }
}
