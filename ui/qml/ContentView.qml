import QtQuick
import Fendry.Ui

// The whole content of the window: the intake area, the progress of a run, or its summary.
Rectangle {
    id: view

    required property MainScreen screen

    implicitWidth: 400
    implicitHeight: 500
    color: Theme.windowBackground

    Item {
        anchors.fill: parent
        anchors.margins: Theme.padding

        FadingContent {
            objectName: "intakeArea"
            anchors.fill: parent
            shown: !view.screen.isShredding && !view.screen.showCompletionAnimation
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
            shown: !view.screen.isShredding && view.screen.showCompletionAnimation
            sourceComponent: CompletionView {
                fileCount: view.screen.erasedFileCount
                totalSizeText: view.screen.formatBytes(view.screen.erasedTotalSize)
                linkCount: view.screen.erasedLinkCount
                failedCount: view.screen.failedCount
                onStartAgain: view.screen.startAgain()
            }
        }
    }
}
