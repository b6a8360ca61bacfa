import QtQuick

// A text on screen, read by a screen reader as it stands.
Text {
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}
