import QtQuick
import QtQuick.Controls.Basic

// An item of the application's menus. While its menu is open, the letter after the "&" in its
// text chooses it, alone or with Alt (Qt 6.4's menus know only the mnemonics of their titles).
// Assistive technology reads it without the "&", and its "Press" does what a click does.
MenuItem {
    id: item

    readonly property string mnemonic: (text.match(/&([^&])/) || ["", ""])[1]

    function activate() {
        if (!enabled)
            return
        if (action)
            action.trigger(item)
        else
            clicked()
    }

    Accessible.name: text.replace("&", "")
    Accessible.onPressAction: activate()

    Shortcut {
        enabled: item.mnemonic !== "" && item.menu !== null && item.menu.opened
        sequences: [item.mnemonic, "Alt+" + item.mnemonic]
        onActivated: item.activate()
    }
}
