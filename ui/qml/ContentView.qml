import QtQuick
import QtQuick.Window
import QtQuick.Dialogs
import Fendry.Ui

// The whole content of the window: the intake area, the progress of a run, or its summary.
Rectangle {
    id: view

    required property MainScreen screen
    // The wipe of free space takes the place of the intake while it runs and while its summary
    // is on screen.
    property FreeSpaceWiper wiper: null
    readonly property bool wipeShown: wiper !== null && (wiper.state === FreeSpaceWiper.Wiping
                                                         || wiper.state === FreeSpaceWiper.Finished)
    // Coming back to the window is when what the folders hold may have changed.
    readonly property bool windowActive: Window.active

    implicitWidth: 400
    implicitHeight: 500
    color: Theme.windowBackground

    onWindowActiveChanged: if (windowActive) screen.refreshCounts()

    Item {
        anchors.fill: parent
        anchors.margins: Theme.padding

        FadingContent {
            objectName: "intakeArea"
            anchors.fill: parent
            shown: !view.screen.isShredding && !view.screen.showCompletionAnimation && !view.wipeShown
            sourceComponent: IntakeArea { screen: view.screen }
        }

        FadingContent {
            objectName: "progressArea"
            anchors.fill: parent
            shown: view.screen.isShredding
            sourceComponent: ProgressArea { screen: view.screen }
        }

        FadingContent {
            objectName: "completionView"
            anchors.fill: parent
            shown: !view.screen.isShredding && view.screen.showCompletionAnimation && !view.wipeShown
            sourceComponent: CompletionView {
                fileCount: view.screen.erasedFileCount
                totalSizeText: view.screen.formatBytes(view.screen.erasedTotalSize)
                linkCount: view.screen.erasedLinkCount
                failedCount: view.screen.failedCount
                filesNotErased: view.screen.filesNotErased
                foldersKept: view.screen.foldersKept
                waitingCount: view.screen.waitingCount
                onStartAgain: view.screen.startAgain()
                onDetailsRequested: view.screen.showFailureDetails = true
                canSaveReport: view.screen.canSaveReport
                reportError: view.screen.reportError
                onSaveReportRequested: {
                    reportDialog.currentFolder = view.screen.reportFolder
                    reportDialog.selectedFile = view.screen.reportFolder + "/"
                            + encodeURIComponent(view.screen.reportFileName)
                    reportDialog.open()
                }
            }
        }

        // The desktop's save dialog; its title says what the report holds.
        FileDialog {
            id: reportDialog
            objectName: "reportDialog"
            fileMode: FileDialog.SaveFile
            title: qsTr("Save Report: it lists every erased name")
            acceptLabel: qsTr("Save")
            nameFilters: [qsTr("PDF document (*.pdf)"), qsTr("JSON file (*.json)")]
            defaultSuffix: "pdf"
            onAccepted: view.screen.saveReport(selectedFile)
        }

        FadingContent {
            objectName: "wipeProgressArea"
            anchors.fill: parent
            shown: view.wipeShown && view.wiper.state === FreeSpaceWiper.Wiping
            sourceComponent: WipeProgressArea { wiper: view.wiper }
        }

        FadingContent {
            objectName: "wipeSummaryView"
            anchors.fill: parent
            shown: view.wipeShown && view.wiper.state === FreeSpaceWiper.Finished
            sourceComponent: WipeSummaryView { wiper: view.wiper }
        }

        IntakeNotice {
            id: intakeNotice
            anchors.left: parent.left
            anchors.right: parent.right
            y: 36  // under the header row
        }
    }

    FailureDetails {
        screen: view.screen
    }

    // The window's one card for an address nothing on the desktop could open, the screen's
    // or the application's.
    function showUnopened(kind, text) {
        unopenedCard.show(kind, text)
    }
    UnopenedLinkCard {
        id: unopenedCard
    }

    Connections {
        target: view.screen
        function onIntakeNoticeChanged() { intakeNotice.show(view.screen.intakeNotice) }
        function onCouldNotOpen(kind, text) { view.showUnopened(kind, text) }
    }
}
