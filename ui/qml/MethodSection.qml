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

        Text {
            text: qsTr("Mode")
            font: Theme.headline
            color: Theme.primary
        }

        Row {
            id: segments
            objectName: "modePicker"
            Layout.fillWidth: true
            Accessible.role: Accessible.Grouping
            Accessible.name: qsTr("Mode")

            Repeater {
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
                    onClicked: choose()
                    onToggled: choose()
                    Accessible.name: text
                    Accessible.onPressAction: choose()

                    contentItem: Text {
                        text: segment.text
                        font: Theme.body
                        color: segment.checked ? "white" : Theme.primary
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
                            color: segment.checked ? Theme.blue
                                                   : segment.pressed ? "#e0e0e0" : "#ffffff"
                            border.color: "#c8c8c8"
                            border.width: segment.checked ? 0 : 1
                            z: segment.checked ? 1 : 0
                        }
                        clip: true
                    }
                }
            }
        }
    }

    Text {
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
}
