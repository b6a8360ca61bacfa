import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui

// The "Mode" picker, one segment per method, and the chosen method's description.
ColumnLayout {
    id: section
    objectName: "methodSection"

    required property MainScreen screen

    spacing: 4

    RowLayout {
        Layout.leftMargin: Theme.padding
        Layout.rightMargin: Theme.padding
        spacing: Theme.spacing

        StaticText {
            text: qsTr("Mode")
            font: Theme.headline
            color: Theme.primary
        }

        Item {
            Layout.fillWidth: true
            implicitHeight: 24

            Row {
                id: segments
                objectName: "modePicker"
                anchors.fill: parent
                Accessible.role: Accessible.Grouping
                Accessible.name: qsTr("Mode")

                Repeater {
                    id: segmentList
                    model: section.screen.methodNames
                    // Radio buttons to assistive technology; drawn as the segments of one control.
                    delegate: RadioButton {
                        id: segment
                        required property int index
                        required property string modelData
                        readonly property bool first: index === 0
                        readonly property bool last: index === section.screen.methodNames.length - 1
                        readonly property bool chosen: section.screen.selectedMethodIndex === index

                        width: segments.width / section.screen.methodNames.length
                        height: 24
                        padding: 0
                        objectName: "segment-" + modelData
                        autoExclusive: false
                        checked: chosen
                        text: modelData
                        indicator: null
                        // A press, however it comes, chooses this method; the check mark always
                        // shows the choice, never a toggle of its own.
                        function choose() {
                            section.screen.selectedMethodIndex = index
                            checked = Qt.binding(() => segment.chosen)
                        }
                        // Left and Right choose the neighbour and take the keyboard to it.
                        function chooseNeighbour(step) {
                            const neighbour = segmentList.itemAt(index + step)
                            if (neighbour) {
                                // The keyboard first: this one may not leave the Tab chain
                                // while it has the focus.
                                neighbour.forceActiveFocus()
                                neighbour.choose()
                            }
                        }
                        onClicked: choose()
                        onToggled: choose()
                        // The picker is one stop for Tab, at the chosen segment.
                        focusPolicy: chosen ? Qt.TabFocus : Qt.NoFocus
                        Keys.onLeftPressed: chooseNeighbour(-1)
                        Keys.onRightPressed: chooseNeighbour(1)
                        Keys.onReturnPressed: choose()
                        Keys.onEnterPressed: choose()
                        Accessible.name: text
                        Accessible.onPressAction: choose()

                        contentItem: Text {
                            text: segment.text
                            font: Theme.body
                            color: segment.checked ? Theme.textOnAccent : Theme.primary
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                        }
                        background: Item {
                            Rectangle {
                                // Square inner edges, rounded outer ends: one joined control.
                                anchors.fill: parent
                                anchors.leftMargin: segment.first ? 0 : -6
                                anchors.rightMargin: segment.last ? 0 : -6
                                radius: 6
                                color: segment.checked ? Theme.accent
                                                       : segment.pressed ? Theme.controlPressed
                                                       : Theme.controlBackground
                                border.color: Theme.controlBorder
                                border.width: segment.checked ? 0 : 1
                                z: segment.checked ? 1 : 0
                            }
                            clip: true
                        }
                    }
                }
            }

            // Around the whole picker: the segments clip what they draw to join up.
            FocusRing {
                owner: segments
                radius: 9
                shown: segments.Window.activeFocusItem !== null
                       && segments.Window.activeFocusItem.parent === segments
            }
        }
    }

    StaticText {
        objectName: "methodDescription"
        Layout.fillWidth: true
        Layout.leftMargin: Theme.padding + 45
        Layout.rightMargin: Theme.padding
        text: section.screen.selectedMethodDescription
        font: Theme.caption
        color: Theme.gray
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignLeft
    }

    // Reading each file back after its last pass; remembered like the method.
    CheckBox {
        id: verifyBox
        objectName: "verifyCheckBox"
        Layout.leftMargin: Theme.padding + 41
        Layout.rightMargin: Theme.padding
        Layout.topMargin: 4
        text: qsTr("Verify after the last pass")
        checked: section.screen.verifyAfterLastPass
        onToggled: section.screen.verifyAfterLastPass = checked
        // Like the other controls here, a click does not take the keyboard.
        focusPolicy: Qt.TabFocus
        padding: 0
        spacing: 6
        font: Theme.body
        Keys.onReturnPressed: { toggle(); toggled() }
        Keys.onEnterPressed: { toggle(); toggled() }
        Accessible.name: text
        Accessible.description: verifyDescription.text

        indicator: Rectangle {
            x: verifyBox.leftPadding
            y: (verifyBox.height - height) / 2
            implicitWidth: 14
            implicitHeight: 14
            radius: 3
            color: verifyBox.checked ? Theme.accent : Theme.controlBackground
            border.color: verifyBox.checked ? Theme.accent : Theme.controlBorder

            Text {
                anchors.centerIn: parent
                visible: verifyBox.checked
                text: "\u2713"
                font.pixelSize: 11
                font.bold: true
                color: Theme.textOnAccent
            }
            FocusRing { owner: verifyBox; radius: 5 }
        }
        contentItem: Text {
            leftPadding: verifyBox.indicator.width + verifyBox.spacing
            text: verifyBox.text
            font: verifyBox.font
            color: Theme.primary
            verticalAlignment: Text.AlignVCenter
        }
    }

    StaticText {
        id: verifyDescription
        objectName: "verifyDescription"
        Layout.fillWidth: true
        Layout.leftMargin: Theme.padding + 61
        Layout.rightMargin: Theme.padding
        text: qsTr("Each file is read back from the disk and kept if it differs from what was written.")
        font: Theme.caption
        color: Theme.gray
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignLeft
    }
}
