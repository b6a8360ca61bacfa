pragma Singleton
import QtQuick
import Fendry.Ui

// The screen's text styles, colours, default spacings and motion, in one place.
QtObject {
    readonly property real padding: 16
    readonly property real spacing: 8

    readonly property font headline: Qt.font({ pixelSize: 13, bold: true })
    readonly property font body: Qt.font({ pixelSize: 13 })
    readonly property font callout: Qt.font({ pixelSize: 12 })
    readonly property font caption: Qt.font({ pixelSize: 10 })
    readonly property font title2: Qt.font({ pixelSize: 17 })

    function systemFont(size, weight) {
        return Qt.font({ pixelSize: size, weight: weight === undefined ? Font.Normal : weight })
    }

    // The colour at `alpha` opacity.
    function faded(color, alpha) {
        return Qt.rgba(color.r, color.g, color.b, alpha)
    }
    // The colour of something drawn in `color` while it is pressed.
    function pressed(color) {
        return Qt.darker(color, 1.2)
    }

    readonly property color primary: "#1d1d1f"
    readonly property color secondary: "#86868b"
    readonly property color windowBackground: "#ececec"
    readonly property color controlBackground: "#ffffff"
    readonly property color controlPressed: "#d8d8d8"
    readonly property color controlBorder: "#c8c8c8"
    readonly property color separator: "#d0d0d0"
    readonly property color cardBackground: "#f6f6f6"
    readonly property color alternateRow: "#f7f7f7"
    readonly property color blue: "#007aff"
    readonly property color green: "#28cd41"
    readonly property color orange: "#ff9500"
    readonly property color red: "#ff3b30"
    readonly property color gray: "#8e8e93"

    readonly property color accent: blue
    readonly property color accentPressed: pressed(accent)
    readonly property color textOnAccent: "#ffffff"
    readonly property color selection: faded(accent, 0.1)
    readonly property color focusRing: faded(accent, 0.6)
    readonly property real focusRingWidth: 2
    readonly property color noticeBackground: Qt.tint(controlBackground, faded(orange, 0.15))
    readonly property color noticeBorder: Qt.tint(controlBackground, faded(orange, 0.6))

    readonly property color ringStroke: Qt.rgba(242 / 255, 163 / 255, 64 / 255, 1)
    readonly property color growingButton: Qt.rgba(236 / 255, 117 / 255, 48 / 255, 1)

    // The desktop asked for less motion: every animation shows its still end state at once.
    readonly property bool reduceMotion: Motion.reduced
    // How long an animation of `milliseconds` lasts, given the desktop's wish.
    function duration(milliseconds) {
        return reduceMotion ? 0 : milliseconds
    }

    // How long a switch of the screen's content takes (a quadratic ease in and out).
    readonly property int switchDuration: 350
}
