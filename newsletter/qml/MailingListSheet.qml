import QtQuick
import QtQuick.Window
import Fendry.Ui
import Fendry.Newsletter

// The newsletter offer as a sheet over the main window. It is wider than the main window's
// content, so it is a window of its own, kept in front of the main one and modal to it. It is
// made each time the offer is presented and taken down when it closes.
Window {
    id: sheet
    objectName: "mailingListSheet"

    required property MailingListManager manager

    title: qsTr("Stay in the loop")
    flags: Qt.Dialog
    modality: Qt.WindowModal
    color: Theme.windowBackground
    width: 420
    minimumWidth: width
    maximumWidth: width

    // As tall as its content, and no other size. A window manager holds a window to its size
    // limits when asked to resize it, so the limits move first in the direction of the change.
    function fitContent() {
        const wanted = view.implicitHeight
        if (wanted > height) {
            maximumHeight = wanted
            height = wanted
            minimumHeight = wanted
        } else {
            minimumHeight = wanted
            height = wanted
            maximumHeight = wanted
        }
    }

    // Every way out goes through the manager, as the window's own close button does.
    function dismiss() {
        manager.isPresented = false
    }
    onClosing: (close) => { close.accepted = false; dismiss() }
    Shortcut {
        sequence: "Escape"
        onActivated: sheet.dismiss()
    }

    Component.onCompleted: {
        fitContent()
        if (transientParent) {
            x = transientParent.x + (transientParent.width - width) / 2
            y = transientParent.y + 40
        }
        show()
        requestActivate()
        view.focusField()
    }
    // However it was closed, the next opening starts afresh.
    Component.onDestruction: manager.resetStatus()

    MailingListPromptView {
        id: view
        width: sheet.width
        manager: sheet.manager
        onImplicitHeightChanged: sheet.fitContent()
    }
}
