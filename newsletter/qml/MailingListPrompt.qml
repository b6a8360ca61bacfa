import QtQuick
import QtQuick.Window
import Fendry.Ui
import Fendry.Newsletter

// The newsletter offer as a sheet over the main window. It is wider than the main window's
// content, so it is a window of its own, kept in front of the main one and modal to it.
Window {
    id: sheet
    objectName: "mailingListPrompt"

    required property MailingListManager manager

    title: qsTr("Stay in the loop")
    flags: Qt.Dialog
    modality: Qt.WindowModal
    color: Theme.windowBackground
    width: 420
    height: view.implicitHeight
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    // The window's own close button goes through the manager like every other way out.
    onClosing: (close) => { close.accepted = false; manager.isPresented = false }

    Connections {
        target: sheet.manager
        function onIsPresentedChanged() {
            if (sheet.manager.isPresented) {
                if (sheet.transientParent) {
                    sheet.x = sheet.transientParent.x + (sheet.transientParent.width - sheet.width) / 2
                    sheet.y = sheet.transientParent.y + 40
                }
                sheet.show()
                sheet.requestActivate()
                view.focusField()
            } else {
                sheet.hide()
                view.reset()  // however it was closed, the next opening starts afresh
            }
        }
    }

    MailingListPromptView {
        id: view
        width: sheet.width
        manager: sheet.manager
    }
}
