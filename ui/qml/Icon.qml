import QtQuick
import QtQuick.Shapes

// One of our symbols as a tintable vector glyph. Sized like text: `size` is the
// point size and the glyph fills a size x size square, centred in the item.
// The owning control carries the accessible name, so the glyph stays out of the tree.
Item {
    id: root

    property string name
    property color color: "black"
    property real size: 16

    implicitWidth: size
    implicitHeight: size

    Accessible.ignored: true

    // 24 x 24 design grid. "fill" is painted with the odd-even rule, so inner
    // subpaths (checkmarks, the exclamation mark) come out as holes and the
    // background shows through them. "stroke" is for the line-drawn symbols.
    readonly property var glyphs: ({
        "folder.fill": {
            fill: "M4 3.5 H8.7 C9.3 3.5 9.8 3.75 10.2 4.2 L11.5 5.5 H20 A2 2 0 0 1 22 7.5 V8 H2 V5.5 A2 2 0 0 1 4 3.5 Z "
                + "M2 9.4 H22 V18 A2 2 0 0 1 20 20 H4 A2 2 0 0 1 2 18 Z"
        },
        "doc.fill": {
            fill: "M7 2 H13 V7.5 A1.5 1.5 0 0 0 14.5 9 H19 V20 A2 2 0 0 1 17 22 H7 A2 2 0 0 1 5 20 V4 A2 2 0 0 1 7 2 Z "
                + "M14.5 3.5 L18.5 7.5 H15.2 A0.7 0.7 0 0 1 14.5 6.8 Z"
        },
        "magnifyingglass": {
            stroke: "M16.5 10 A6.5 6.5 0 1 1 3.5 10 A6.5 6.5 0 1 1 16.5 10 Z M14.8 14.8 L20.5 20.5",
            width: 2.4
        },
        "xmark": {
            stroke: "M6 6 L18 18 M18 6 L6 18",
            width: 2.4
        },
        "clock": {
            stroke: "M21 12 A9 9 0 1 1 3 12 A9 9 0 1 1 21 12 Z M12 6.8 V12 L15.6 14.2",
            width: 2.2
        },
        "checkmark.seal.fill": {
            fill: "M12 0.95 C12.96 0.95 13.61 2.86 14.39 3.07 C15.17 3.27 16.69 1.95 17.52 2.43 "
                + "C18.36 2.91 17.97 4.89 18.54 5.46 C19.11 6.03 21.09 5.64 21.57 6.47 C22.05 7.31 20.73 8.83 20.93 9.61 "
                + "C21.14 10.39 23.05 11.04 23.05 12 C23.05 12.96 21.14 13.61 20.93 14.39 C20.73 15.17 22.05 16.69 21.57 17.52 "
                + "C21.09 18.36 19.11 17.97 18.54 18.54 C17.97 19.11 18.36 21.09 17.53 21.57 "
                + "C16.69 22.05 15.17 20.73 14.39 20.93 C13.61 21.14 12.96 23.05 12 23.05 C11.04 23.05 10.39 21.14 9.61 20.93 "
                + "C8.83 20.73 7.31 22.05 6.48 21.57 C5.64 21.09 6.03 19.11 5.46 18.54 C4.89 17.97 2.91 18.36 2.43 17.53 "
                + "C1.95 16.69 3.27 15.17 3.07 14.39 C2.86 13.61 0.95 12.96 0.95 12 C0.95 11.04 2.86 10.39 3.07 9.61 "
                + "C3.27 8.83 1.95 7.31 2.43 6.48 C2.91 5.64 4.89 6.03 5.46 5.46 C6.03 4.89 5.64 2.91 6.47 2.43 "
                + "C7.31 1.95 8.83 3.27 9.61 3.07 C10.39 2.86 11.04 0.95 12 0.95 Z M8.85 11.45 "
                + "L10.77 13.37 L15.12 8.68 A1.2 1.2 0 0 1 16.88 10.32 L11.68 15.92 A1.2 1.2 0 0 1 9.95 15.95 "
                + "L7.15 13.15 A1.2 1.2 0 0 1 8.85 11.45 Z"
        },
        "exclamationmark.triangle.fill": {
            fill: "M14.08 5.25 L21.15 17.61 A2.4 2.4 0 0 1 19.06 21.2 L4.94 21.2 A2.4 2.4 0 0 1 2.85 17.61 "
                + "L9.92 5.25 A2.4 2.4 0 0 1 14.08 5.25 Z M10.75 8.8 A1.25 1.25 0 0 1 13.25 8.8 "
                + "L13.25 14.2 A1.25 1.25 0 0 1 10.75 14.2 Z M10.6 17.7 A1.4 1.4 0 1 1 13.4 17.7 "
                + "A1.4 1.4 0 1 1 10.6 17.7 Z"
        },
        "checkmark.circle.fill": {
            fill: "M2 12 A10 10 0 1 1 22 12 A10 10 0 1 1 2 12 Z M8.38 11.42 L10.57 13.6 L15.59 8.25 "
                + "A1.25 1.25 0 0 1 17.41 9.95 L11.51 16.25 A1.25 1.25 0 0 1 9.72 16.28 L6.62 13.18 "
                + "A1.25 1.25 0 0 1 8.38 11.42 Z"
        }
    })

    readonly property var glyph: glyphs[name] || ({})

    // The default Shape renderer does not antialias by itself; a multisampled
    // layer the size of the item gives smooth edges without scene-wide MSAA.
    // 4 samples: higher counts are not offered by every GL driver (Mesa's
    // llvmpipe drops 8 to none, leaving jagged edges).
    layer.enabled: true
    layer.samples: 4
    layer.smooth: true

    Shape {
        width: 24
        height: 24
        anchors.centerIn: parent
        scale: root.size / 24

        ShapePath {
            fillColor: root.glyph.fill ? root.color : "transparent"
            fillRule: ShapePath.OddEvenFill
            strokeWidth: -1
            strokeColor: "transparent"
            PathSvg { path: root.glyph.fill || "" }
        }

        ShapePath {
            fillColor: "transparent"
            strokeColor: root.glyph.stroke ? root.color : "transparent"
            strokeWidth: root.glyph.width || 2
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: root.glyph.stroke || "" }
        }
    }
}
