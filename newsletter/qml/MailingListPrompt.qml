import QtQuick
import Fendry.Newsletter

// Presents the newsletter sheet over the window it is in while the manager says so. No sheet
// exists in between: nothing hidden lingers for assistive technology, and none is built before
// the window's first frame.
Loader {
    id: prompt
    objectName: "mailingListPrompt"

    required property MailingListManager manager
    // The sheet's window while it is presented.
    readonly property Window sheet: item

    active: manager.isPresented
    sourceComponent: MailingListSheet {
        manager: prompt.manager
    }
}
