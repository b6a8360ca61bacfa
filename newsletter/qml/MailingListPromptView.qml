import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Fendry.Ui
import Fendry.Newsletter

// The offer itself: what it is, the form (or the request under way, or the thanks), and the
// privacy link.
ColumnLayout {
    id: view

    required property MailingListManager manager
    property string email: ""
    readonly property int status: manager.status

    function focusField() {
        if (body.item && body.item.field)
            body.item.field.forceActiveFocus()
    }

    spacing: 16

    ColumnLayout {
        Layout.topMargin: 24
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        spacing: 6

        StaticText {
            text: qsTr("Stay in the loop")
            font.pixelSize: Theme.title2.pixelSize
            font.bold: true
            color: Theme.primary
        }
        StaticText {
            Layout.fillWidth: true
            text: qsTr("Occasional offers, news, and updates about new features.\nNo spam — I absolutely promise.")
            font: Theme.callout
            color: Theme.secondary
            wrapMode: Text.WordWrap
        }
    }

    Loader {
        id: body
        objectName: "promptBody"
        Layout.fillWidth: true
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        sourceComponent: view.status === MailingListManager.Submitting ? busy
                       : view.status === MailingListManager.Success ? thanks
                       : form
        onLoaded: if (item.field) item.field.forceActiveFocus()
    }

    Component {
        id: form
        ColumnLayout {
            property alias field: field
            spacing: 10

            TextField {
                id: field
                objectName: "emailField"
                Layout.fillWidth: true
                placeholderText: qsTr("name@example.com")
                font: Theme.body
                text: view.email
                onTextEdited: view.email = text
                // Return reaches "Subscribe", which does nothing while the field is empty.
                onAccepted: if (subscribe.enabled) subscribe.clicked()
                Accessible.name: qsTr("Email address")
                // The hint in the empty field, for those who cannot see it.
                Accessible.description: placeholderText
            }
            StaticText {
                objectName: "failureMessage"
                // A notification to assistive technology: it is read out as it appears.
                Accessible.role: Accessible.Notification
                visible: view.status === MailingListManager.Failure
                Layout.fillWidth: true
                text: view.manager.failureMessage
                textFormat: Text.PlainText
                font: Theme.caption
                color: Theme.red
                wrapMode: Text.WordWrap
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: Theme.spacing

                TextButton {
                    objectName: "declineButton"
                    text: qsTr("Don't ask again")
                    tint: Theme.primary
                    onClicked: view.manager.decline()
                }
                Item { Layout.fillWidth: true }
                DialogButton {
                    objectName: "snoozeButton"
                    text: qsTr("Maybe later")
                    onClicked: view.manager.snooze()
                }
                DialogButton {
                    id: subscribe
                    objectName: "subscribeButton"
                    text: qsTr("Subscribe")
                    isDefault: true
                    enabled: view.email.length > 0
                    opacity: enabled ? 1 : 0.5
                    onClicked: view.manager.submit(view.email)
                }
            }
        }
    }

    Component {
        id: busy
        Item {
            implicitHeight: indicator.implicitHeight + 60
            BusyIndicator {
                id: indicator
                objectName: "submittingIndicator"
                anchors.centerIn: parent
                implicitWidth: 48
                implicitHeight: 48
                running: true
                Accessible.name: qsTr("Subscribing")
            }
        }
    }

    Component {
        id: thanks
        ColumnLayout {
            objectName: "thanks"
            spacing: 20

            // Closes the sheet by itself a little after the thanks; "Done" may come first.
            Timer {
                interval: 3500
                running: true
                onTriggered: view.manager.isPresented = false
            }

            ColumnLayout {
                Layout.alignment: Qt.AlignHCenter
                Layout.topMargin: 6
                spacing: 4
                Row {
                    Layout.alignment: Qt.AlignHCenter
                    spacing: 6
                    Icon {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "checkmark.circle.fill"
                        color: Theme.green
                        size: 14
                    }
                    StaticText {
                        text: qsTr("You're in!")
                        font: Theme.headline
                        color: Theme.green
                    }
                }
                StaticText {
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("Thanks for subscribing.")
                    font: Theme.callout
                    color: Theme.primary
                }
            }
            DialogButton {
                id: done
                objectName: "doneButton"
                Layout.alignment: Qt.AlignHCenter
                Layout.bottomMargin: 6
                text: qsTr("Done")
                isDefault: true
                focus: true
                onClicked: view.manager.isPresented = false
            }
        }
    }

    UnopenedLinkCard {
        id: unopenedCard
    }

    Rectangle {
        Layout.fillWidth: true
        implicitHeight: 1
        color: Theme.separator
    }

    RowLayout {
        Layout.leftMargin: 24
        Layout.rightMargin: 24
        Layout.bottomMargin: 24
        spacing: 12

        TextButton {
            objectName: "privacyLink"
            visible: view.manager.privacyPolicyUrl.toString() !== ""
            link: true
            text: qsTr("Privacy policy")
            font: Theme.caption
            onClicked: {
                if (!Qt.openUrlExternally(view.manager.privacyPolicyUrl))
                    unopenedCard.show("web", view.manager.privacyPolicyUrl.toString())
            }
        }
        Item { Layout.fillWidth: true }
        StaticText {
            text: qsTr("You can unsubscribe any time.")
            font: Theme.caption
            color: Theme.secondary
        }
    }
}
