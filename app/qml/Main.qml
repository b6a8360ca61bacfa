import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import QtQuick.Window
import Fendry.Ui
import Fendry.App
import Fendry.Newsletter

// The one window: the menu bar above a content area of exactly 400 × 500.
ApplicationWindow {
    id: window
    objectName: "mainWindow"

    required property AppDelegate appDelegate
    readonly property int contentWidth: 400
    readonly property int contentHeight: 500

    title: "Fendry"
    color: Theme.windowBackground
    // The menus and Qt's own dialogs take the scheme's colours too.
    palette.window: Theme.windowBackground
    palette.windowText: Theme.primary
    palette.base: Theme.controlBackground
    palette.alternateBase: Theme.alternateRow
    palette.text: Theme.primary
    palette.button: Theme.dark ? Theme.controlBackground : "#e0e0e0"
    palette.buttonText: Theme.primary
    palette.highlight: Theme.accent
    palette.highlightedText: Theme.textOnAccent
    palette.light: Theme.controlBackground
    palette.midlight: Theme.controlPressed
    palette.mid: Theme.controlBorder
    palette.dark: Theme.separator
    width: contentWidth
    height: contentHeight + menuBar.implicitHeight
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    // Placed and shown by the delegate, which knows the screen's free area.

    onClosing: (close) => { close.accepted = appDelegate.windowShouldClose() }

    // F10, or Alt on its own, opens the first menu, as on other Linux desktops; the arrows,
    // Return and Escape then work as in any menu, and each title and item has its mnemonic.
    function openMenuBar() {
        const first = menuBar.itemAt(0)
        if (first && !first.highlighted) {
            first.clicked()
            first.menu.currentIndex = 0  // Return then does the first command
        }
    }
    // Whether the keyboard is in the window's content, not in a dialog or menu over it.
    function keyboardInContent() {
        const overlay = T.Overlay.overlay
        for (let item = window.activeFocusItem; item; item = item.parent) {
            if (item === overlay)
                return false
        }
        return true
    }
    Shortcut {
        sequence: "F10"
        onActivated: window.openMenuBar()
    }
    AltKeyTap {
        onTapped: if (window.active && window.keyboardInContent()) window.openMenuBar()
    }

    menuBar: MenuBar {
        id: menuBar
        objectName: "menuBar"
        // Each title is read without its mnemonic's "&", and "Press" opens its menu.
        delegate: MenuBarItem {
            Accessible.name: text.replace("&", "")
            Accessible.onPressAction: clicked()
        }
        Menu {
            objectName: "applicationMenu"
            title: "F&endry"  // Alt+F is for "File", as on other desktops
            AppMenuItem { action: aboutAction }
            MenuSeparator {}
            CheckForUpdatesMenuItem { updater: window.appDelegate.updater }
            MenuSeparator {}
            AppMenuItem { action: quitAction; shortcutText: quitShortcut.nativeText }
        }
        Menu {
            objectName: "fileMenu"
            title: qsTr("&File")
            AppMenuItem {
                objectName: "addFilesMenuItem"
                action: addFilesAction
                shortcutText: addFilesShortcut.nativeText
            }
            AppMenuItem {
                objectName: "addFolderMenuItem"
                action: addFolderAction
                shortcutText: addFolderShortcut.nativeText
            }
            MenuSeparator {}
            AppMenuItem {
                objectName: "wipeFreeSpaceMenuItem"
                text: qsTr("Wipe &Free Space\u2026")
                // Never beside an erase, nor a second wipe.
                enabled: !window.appDelegate.screen.isShredding
                         && window.appDelegate.wiper.state === FreeSpaceWiper.Idle
                onTriggered: wipeFreeSpace.chooseFolder()
            }
        }
        Menu {
            objectName: "helpMenu"
            title: qsTr("&Help")
            AppMenuItem {
                text: qsTr("&Contact Support")
                onTriggered: window.appDelegate.openSupportEmail()
            }
            AppMenuItem {
                objectName: "subscribeMenuItem"
                text: qsTr("&Subscribe to Newsletter\u2026")
                visible: !window.appDelegate.mailingList.isOptedOut
                height: visible ? implicitHeight : 0  // a hidden item would leave a gap
                enabled: visible  // and the arrow keys would stop on it
                onTriggered: window.appDelegate.mailingList.presentOnDemand()
            }
        }
    }

    // Declared with the window, not inside the menu, so that the shortcut works while the menu
    // has never been opened.
    Action {
        id: aboutAction
        text: qsTr("&About Fendry")
        onTriggered: aboutDialog.open()
    }
    // Taken in as a drop is, and so only while a drop would be.
    Action {
        id: addFilesAction
        text: qsTr("&Add Files\u2026")
        enabled: contentView.intakeShown
        onTriggered: contentView.addFiles()
    }
    Shortcut {
        id: addFilesShortcut
        sequence: "Ctrl+O"
        enabled: addFilesAction.enabled
        onActivated: addFilesAction.trigger()
    }
    Action {
        id: addFolderAction
        text: qsTr("Add F&older\u2026")
        enabled: contentView.intakeShown
        onTriggered: contentView.addFolder()
    }
    Shortcut {
        id: addFolderShortcut
        sequence: "Ctrl+Shift+O"
        enabled: addFolderAction.enabled
        onActivated: addFolderAction.trigger()
    }
    Action {
        id: quitAction
        text: qsTr("&Quit Fendry")
        onTriggered: window.appDelegate.quit()
    }
    // Quit works whatever is open: a window shortcut is blocked by any dialog or sheet.
    Shortcut {
        id: quitShortcut
        sequence: "Ctrl+Q"
        context: Qt.ApplicationShortcut
        onActivated: quitAction.trigger()
    }

    ContentView {
        id: contentView
        anchors.fill: parent
        screen: window.appDelegate.screen
        wiper: window.appDelegate.wiper
        // Counted once per launch: the window is built once and only ever minimised.
        Component.onCompleted: window.appDelegate.mailingList.registerLaunch()
    }

    MailingListPrompt {
        manager: window.appDelegate.mailingList
    }

    AboutDialog {
        id: aboutDialog
    }

    WipeFreeSpace {
        id: wipeFreeSpace
        wiper: window.appDelegate.wiper
    }

    UpdateResultDialog {
        updater: window.appDelegate.updater
    }

    QuitQuestion {
        appDelegate: window.appDelegate
    }

    Connections {
        target: window.appDelegate
        function onCouldNotOpen(kind, text) { contentView.showUnopened(kind, text) }
    }
}
