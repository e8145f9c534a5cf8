import QtQuick 2.15

// A page-sized panel that slides up over the window: a header with a reject button, a title and an
// accept button, and the content below. Without header and background only the content slides in
// (menus built on it draw their own panel).
Fader {
    id: root

    property alias title: titleField.children
    default property alias content: contentField.data
    property alias buttons: buttonsField.children
    property string acceptButtonText: ""
    property string rejectButtonText: ""
    readonly property Item acceptButton: acceptButtonItem
    readonly property Item rejectButton: rejectButtonItem
    property bool showHeader: true
    property bool showBackground: true

    signal accepted
    signal rejected

    function accept() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        close();
        accepted();
    }

    function reject() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        close();
        rejected();
    }

    dimOpacity: 0
    transitionDuration: 500
    transitionEasing: Easing.InOutExpo

    Item {
        id: sheet
        width: parent.width
        height: parent.height
        y: (1 - root.openness) * height

        Rectangle {
            anchors.fill: parent
            color: "#F2F2F2"
            visible: root.showBackground

            // Presses on the sheet must not reach what lies below it.
            MouseArea {
                anchors.fill: parent
            }
        }

        Item {
            id: header
            width: parent.width
            height: root.showHeader ? 72 : 0
            visible: root.showHeader

            Rectangle {
                anchors.fill: parent
                gradient: Gradient {
                    GradientStop { position: 0.0; color: "#2B2B2B" }
                    GradientStop { position: 1.0; color: "#0A0A0A" }
                }
            }

            Button {
                id: rejectButtonItem
                objectName: "sheetRejectButton"
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                width: 130
                text: root.rejectButtonText
                visible: text !== ""
                platformStyle: ButtonStyle { inverted: true }
                onClicked: root.reject()
            }

            Item {
                id: titleField
                anchors.fill: parent
            }

            Item {
                id: buttonsField
                anchors.fill: parent
            }

            Button {
                id: acceptButtonItem
                objectName: "sheetAcceptButton"
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                width: 130
                text: root.acceptButtonText
                visible: text !== ""
                platformStyle: ButtonStyle {
                    background: "image://theme/meegotouch-dialog-button-positive"
                    pressedBackground: "image://theme/meegotouch-dialog-button-positive-pressed"
                    textColor: "#FFFFFF"
                    pressedTextColor: "#FFFFFF"
                }
                onClicked: root.accept()
            }
        }

        Item {
            id: contentField
            anchors {
                top: header.bottom
                left: parent.left
                right: parent.right
                bottom: parent.bottom
            }
        }
    }
}
