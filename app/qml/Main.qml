import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Window
import Fendry.Ui
import Fendry.App

// The one window: the menu bar above a content area of exactly 400 × 500.
ApplicationWindow {
    id: window
    objectName: "mainWindow"

    required property AppDelegate appDelegate
    readonly property int contentWidth: 400
    readonly property int contentHeight: 500

    title: "Fendry"
    color: Theme.windowBackground
    width: contentWidth
    height: contentHeight + menuBar.implicitHeight
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    visible: true

    Component.onCompleted: {
        x = Screen.virtualX + (Screen.width - width) / 2
        y = Screen.virtualY + (Screen.height - height) / 2
    }

    onClosing: (close) => { close.accepted = appDelegate.windowShouldClose() }

    menuBar: MenuBar {
        objectName: "menuBar"
        Menu {
            objectName: "applicationMenu"
            title: "Fendry"
            Action {
                text: qsTr("About Fendry")
                onTriggered: aboutDialog.open()
            }
            MenuSeparator {}
            Action {
                text: qsTr("Quit Fendry")
                shortcut: StandardKey.Quit
                onTriggered: Qt.quit()
            }
        }
    }

    ContentView {
        anchors.fill: parent
        screen: window.appDelegate.screen
    }

    AboutDialog {
        id: aboutDialog
    }
}
