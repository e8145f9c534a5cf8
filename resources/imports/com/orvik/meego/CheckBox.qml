import QtQuick 2.15

// A box that is ticked or not, with an optional text.
Item {
    id: root

    property bool checked: false
    property string text: ""
    readonly property bool pressed: mouse.pressed

    signal clicked

    implicitWidth: box.width + (label.visible ? label.implicitWidth + 16 : 0)
    implicitHeight: Math.max(48, label.implicitHeight)

    Rectangle {
        id: box
        anchors.verticalCenter: parent.verticalCenter
        width: 40
        height: 40
        radius: 8
        color: root.checked ? "#4DA4DA" : (root.pressed ? "#DDDDDD" : "#FFFFFF")
        border.color: root.checked ? "#2F7FB3" : "#B5B5B5"
        border.width: 2

        Text {
            anchors.centerIn: parent
            text: "\u2713"
            color: "#FFFFFF"
            font.pixelSize: 28
            font.bold: true
            visible: root.checked
        }
    }

    Text {
        id: label
        anchors.left: box.right
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        text: root.text
        visible: text !== ""
        font.pixelSize: 24
        color: root.enabled ? "#000000" : "#A6A8AB"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: {
            root.checked = !root.checked;
            root.clicked();
        }
    }
}
