import QtQuick

// Tells assistive technology a piece of news: a notification that comes on screen anew with the
// words, which screen readers read out as it appears. Qt 6.4 has no other way to announce.
Item {
    id: announcer
    objectName: "announcer"

    property string text

    function announce(message) {
        text = message
        visible = false  // hidden and shown again, so that the same words are news again
        visible = true
    }

    width: 1
    height: 1
    visible: false
    Accessible.role: Accessible.Notification
    Accessible.name: text
}
