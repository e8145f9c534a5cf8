import QtQuick 2.15
import com.orvik.meego 1.0

// Asks the user to confirm: a bold title, a message and two buttons, the first accepting and the
// second rejecting.
Dialog {
    id: root

    property string titleText: ""
    property string messageText: ""
    property string okButtonText: ""
    property string cancelButtonText: qsTrId("qtn_zirrup_cancel_command")

    Fonts {
        id: fonts
    }

    title: Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: root.titleText
        visible: text !== ""
        color: "#FFFFFF"
        font.pixelSize: fonts.c_size + 2
        font.bold: true
    }

    content: Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: root.messageText
        visible: text !== ""
        color: "#FFFFFF"
        font.pixelSize: fonts.c_size - 2
    }

    buttons: Column {
        width: parent.width
        spacing: 16
        topPadding: 32

        ZirrupButton {
            objectName: "confirmButton"
            anchors.horizontalCenter: parent.horizontalCenter
            isDialogButton: true
            isPositiveAnswer: true
            text: root.okButtonText
            onClicked: root.accept()
        }
        ZirrupButton {
            objectName: "rejectButton"
            anchors.horizontalCenter: parent.horizontalCenter
            isDialogButton: true
            isPositiveAnswer: false
            text: root.cancelButtonText
            onClicked: root.reject()
        }
    }
}
