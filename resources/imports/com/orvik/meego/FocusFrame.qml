import QtQuick 2.15

// The outline a control shows while it holds the keyboard focus, so that a keyboard user always
// sees where the next key goes. Put it inside the control; it follows the control's activeFocus.
Rectangle {
    property Item control: parent

    anchors.fill: parent
    anchors.margins: 2
    z: 100
    radius: 6
    color: "transparent"
    border.width: 3
    border.color: "#4DA4DA"
    visible: control !== null && control.activeFocus
}
