import QtQuick 2.15

// The icon and text of a command in a menu's column buttons.
Row {
    id: root

    property url iconSource: ""
    property string text: ""

    anchors.verticalCenter: parent ? parent.verticalCenter : undefined
    spacing: 16

    Image {
        anchors.verticalCenter: parent.verticalCenter
        source: root.iconSource
        visible: root.iconSource != ""
    }

    Text {
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        text: root.text
        color: "#000000"
        font.pixelSize: 24
        font.bold: true
    }
}
