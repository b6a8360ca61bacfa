import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// Over the summary: every item the run could not erase, where it is and why.
CardDialog {
    id: details
    objectName: "failureDetails"

    required property MainScreen screen

    title: heading.text
    width: 368
    height: 460
    padding: 16
    closePolicy: Popup.CloseOnEscape
    onOpened: closeButton.forceActiveFocus()
    onClosed: screen.showFailureDetails = false

    Connections {
        target: details.screen
        function onShowFailureDetailsChanged() {
            if (details.screen.showFailureDetails)
                details.open()
            else
                details.close()
        }
    }

    contentItem: ColumnLayout {
        spacing: 10

        StaticText {
            id: heading
            objectName: "detailsTitle"
            Layout.fillWidth: true
            // Files and the folders that stayed are counted apart, a line each.
            text: [details.screen.filesNotErased > 0
                       ? qsTr("%n file(s) could not be erased", "", details.screen.filesNotErased) : "",
                   details.screen.foldersKept > 0
                       ? qsTr("%n folder(s) not removed", "", details.screen.foldersKept) : ""]
                  .filter(line => line.length > 0).join("\n")
            font: Theme.headline
            color: Theme.primary
            horizontalAlignment: Text.AlignHCenter
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: Theme.controlBackground
            radius: 6
            border.color: Theme.separator

            ListView {
                id: list
                objectName: "failureList"
                anchors.fill: parent
                anchors.margins: 1
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                // One stop for Tab; the arrows go from item to item, each read as it is reached.
                activeFocusOnTab: true
                highlightFollowsCurrentItem: false
                // The keyboard that comes to the list goes on to an item.
                onActiveFocusChanged: if (activeFocus && currentIndex < 0 && count > 0) currentIndex = 0
                model: details.screen.failures
                ScrollBar.vertical: ScrollBar {
                    policy: ScrollBar.AsNeeded
                    visible: size < 1  // nothing to scroll: nothing drawn, nothing to read
                }
                Accessible.role: Accessible.List
                Accessible.name: heading.text

                delegate: Rectangle {
                    id: item
                    required property int index
                    required property string key
                    required property string name
                    required property string folder
                    required property string reason
                    required property bool stillThere

                    width: ListView.view.width - 10
                    implicitHeight: lines.implicitHeight + 14
                    color: index % 2 ? Theme.alternateRow : "transparent"
                    Accessible.role: Accessible.ListItem
                    Accessible.name: qsTr("%1, %2").arg(name).arg(reason)
                    Accessible.description: folder
                    Accessible.focusable: true

                    FocusRing { anchors.margins: 1; radius: 2; shown: item.activeFocus }

                    ColumnLayout {
                        id: lines
                        anchors.fill: parent
                        anchors.margins: 7
                        anchors.leftMargin: 10
                        spacing: 2

                        RowLayout {
                            Layout.fillWidth: true
                            spacing: 6
                            Text {
                                Layout.fillWidth: true
                                text: item.name
                                font: Theme.headline
                                color: Theme.primary
                                elide: Text.ElideMiddle
                                maximumLineCount: 1
                                textFormat: Text.PlainText
                            }
                            TextButton {
                                objectName: "showInFolderButton"
                                visible: item.stillThere
                                text: qsTr("Show in Folder")
                                //: %1 is the name of the item the button shows
                                accessibleName: qsTr("Show in Folder: %1").arg(item.name)
                                font: Theme.caption
                                onClicked: details.screen.reveal(item.key)
                            }
                        }
                        Text {
                            Layout.fillWidth: true
                            text: item.folder
                            font: Theme.caption
                            color: Theme.secondary
                            elide: Text.ElideMiddle
                            maximumLineCount: 1
                            textFormat: Text.PlainText
                        }
                        Text {
                            Layout.fillWidth: true
                            text: item.reason
                            font: Theme.callout
                            color: Theme.primary
                            wrapMode: Text.WordWrap
                            textFormat: Text.PlainText
                        }
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            DialogButton {
                id: copyButton
                objectName: "copyDetailsButton"
                property bool copied: false
                text: copied ? qsTr("Copied") : qsTr("Copy")
                onClicked: {
                    details.screen.copyFailureList()
                    copied = true
                    copiedTimer.restart()
                }
                Timer {
                    id: copiedTimer
                    interval: 2000
                    onTriggered: copyButton.copied = false
                }
            }
            Item { Layout.fillWidth: true }
            DialogButton {
                id: closeButton
                objectName: "closeDetailsButton"
                text: qsTr("Close")
                isDefault: true
                onClicked: details.close()
            }
        }
    }
}
