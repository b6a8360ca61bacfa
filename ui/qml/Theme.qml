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
    // WCAG's contrast ratio of two colours.
    function contrast(a, b) {
        const luminance = (c) => {
            const linear = (x) => x <= 0.03928 ? x / 12.92 : Math.pow((x + 0.055) / 1.055, 2.4)
            return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b)
        }
        const la = luminance(Qt.color(a)), lb = luminance(Qt.color(b))
        return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05)
    }
    // The colour of something drawn in `color` while it is pressed.
    function pressed(color) {
        return Qt.darker(color, 1.2)
    }

    // The desktop's scheme; the orange, the ring and the green stay as they are in both.
    readonly property bool dark: Appearance.dark
    // Text colours reach WCAG AA (4.5:1) on their backgrounds in both schemes.
    readonly property color primary: dark ? "#f5f5f7" : "#1d1d1f"
    readonly property color secondary: dark ? "#aeaeb2" : "#636366"
    readonly property color windowBackground: dark ? "#1e1e1e" : "#ececec"
    readonly property color controlBackground: dark ? "#2c2c2e" : "#ffffff"
    readonly property color controlPressed: dark ? "#3a3a3c" : "#d8d8d8"
    readonly property color controlBorder: dark ? "#48484a" : "#c8c8c8"
    readonly property color separator: dark ? "#3a3a3c" : "#d0d0d0"
    readonly property color cardBackground: dark ? "#2a2a2c" : "#f6f6f6"
    readonly property color alternateRow: dark ? "#252527" : "#f7f7f7"
    readonly property color blue: "#0066d6"
    readonly property color green: "#28cd41"
    readonly property color orange: "#ff9500"
    readonly property color red: "#ff3b30"
    readonly property color gray: dark ? "#98989d" : "#636366"

    // The desktop's accent colour where it has one.
    readonly property color accent: Appearance.accent.valid ? Appearance.accent : blue
    readonly property color accentPressed: pressed(accent)
    // White on the accent unless that is too faint to read; then near black.
    readonly property color textOnAccent: contrast("#ffffff", accent) >= 4.5 ? "#ffffff" : "#1d1d1f"
    // The accent as the colour of text on the window, lightened on a dark one.
    readonly property color accentText: dark ? Qt.lighter(accent, 1.6) : accent
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
