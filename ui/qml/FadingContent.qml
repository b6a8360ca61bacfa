import QtQuick

// One of the screen's contents: built when it is to be shown, faded in and out, and taken down
// once it has faded away, so that each showing starts afresh.
Item {
    id: content

    property bool shown: false
    property alias sourceComponent: loader.sourceComponent
    readonly property alias item: loader.item

    opacity: shown ? 1 : 0
    visible: opacity > 0
    enabled: shown

    Behavior on opacity {
        NumberAnimation { duration: Theme.duration(Theme.switchDuration); easing.type: Easing.InOutQuad }
    }

    Loader {
        id: loader
        anchors.fill: parent
        active: content.shown || content.opacity > 0
    }
}
