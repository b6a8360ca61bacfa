import QtQuick
import QtQuick.Dialogs
import Fendry.Ui

// "Wipe Free Space…": the desktop's folder picker, then the alert that says what a wipe of the
// file system holding that folder will and will not reach.
Item {
    id: flow

    required property FreeSpaceWiper wiper

    function chooseFolder() {
        folderDialog.open()
    }

    FolderDialog {
        id: folderDialog
        objectName: "wipeFolderDialog"
        title: qsTr("Choose a Folder on the Disk to Wipe")
        currentFolder: flow.wiper.startFolder
        onAccepted: flow.wiper.inspect(selectedFolder)
    }

    WipeFreeSpaceAlert {
        wiper: flow.wiper
    }
}
