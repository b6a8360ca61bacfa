pragma Singleton
import QtQuick

// The screen's text styles, colours and default spacings, in one place.
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

    readonly property color primary: "#1d1d1f"
    readonly property color secondary: "#86868b"
    readonly property color windowBackground: "#ececec"
    readonly property color controlBackground: "#ffffff"
    readonly property color blue: "#007aff"
    readonly property color green: "#28cd41"
    readonly property color orange: "#ff9500"
    readonly property color red: "#ff3b30"
    readonly property color gray: "#8e8e93"

    readonly property color ringStroke: Qt.rgba(242 / 255, 163 / 255, 64 / 255, 1)
    readonly property color growingButton: Qt.rgba(236 / 255, 117 / 255, 48 / 255, 1)

    // The platform's standard ease-in-out, for every switch of the screen's content.
    readonly property int switchDuration: 350
}
