import QtQuick 2.15

// A dialog that asks a question: a title, a message and up to two buttons.
Dialog {
    id: root

    property string titleText: ""
    property string message: ""
    property string acceptButtonText: ""
    property string rejectButtonText: ""
    property url icon: ""

    title: Column {
        width: parent.width
        spacing: 16

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: root.icon
            visible: root.icon != ""
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: root.titleText
            visible: text !== ""
            color: "#FFFFFF"
            font.pixelSize: 28
            font.bold: true
        }
    }

    content: Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: root.message
        visible: text !== ""
        color: "#FFFFFF"
        font.pixelSize: 24
    }

    buttons: Column {
        width: parent.width
        spacing: 16
        topPadding: 16

        Button {
            objectName: "queryAcceptButton"
            anchors.horizontalCenter: parent.horizontalCenter
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
        Button {
            objectName: "queryRejectButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.rejectButtonText
            visible: text !== ""
            platformStyle: ButtonStyle {
                background: "image://theme/meegotouch-dialog-button-negative"
                pressedBackground: "image://theme/meegotouch-dialog-button-negative-pressed"
                textColor: "#FFFFFF"
                pressedTextColor: "#FFFFFF"
            }
            onClicked: root.reject()
        }
    }
}
