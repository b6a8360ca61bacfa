import QtQuick
import QtQuick.Controls.Basic

// An item of the application's menus. While its menu is open, the letter after the "&" in its
// text chooses it, alone or with Alt (Qt 6.4's menus know only the mnemonics of their titles).
// Assistive technology reads it without the "&", with its shortcut, and its "Press" does what a
// click does.
MenuItem {
    id: item

    readonly property string mnemonic: (text.match(/&([^&])/) || ["", ""])[1]
    // The keys that do the same from the window, shown at the item's end.
    property string shortcutText

    rightPadding: padding + (shortcutText !== "" ? shortcutLabel.implicitWidth + 24 : 0)
    arrow: Text {
        id: shortcutLabel
        x: item.width - width - item.padding
        y: item.topPadding + (item.availableHeight - height) / 2
        text: item.shortcutText
        font: item.font
        color: item.palette.windowText
        opacity: 0.7
    }

    function activate() {
        if (!enabled)
            return
        if (action)
            action.trigger(item)
        else
            clicked()
    }

    Accessible.name: text.replace("&", "")
    Accessible.description: shortcutText
    Accessible.onPressAction: activate()

    Shortcut {
        enabled: item.mnemonic !== "" && item.menu !== null && item.menu.opened
        sequences: [item.mnemonic, "Alt+" + item.mnemonic]
        onActivated: item.activate()
    }
}
