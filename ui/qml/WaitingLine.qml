import QtQuick
import Fendry.Ui

// Says that items opened meanwhile are kept for the next run.
StaticText {
    property int count: 0

    objectName: "waitingLine"
    visible: count > 0
    text: qsTr("%n item(s) waiting for the next run", "", count)
    font: Theme.callout
    color: Theme.secondary
}
