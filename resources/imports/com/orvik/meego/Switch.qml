import QtQuick 2.15

// An on/off switch.
Item {
    id: root

    property bool checked: false
    readonly property bool pressed: mouse.pressed

    signal clicked

    implicitWidth: 96
    implicitHeight: 48

    Rectangle {
        id: track
        anchors.centerIn: parent
        width: 88
        height: 36
        radius: 18
        color: root.checked ? "#4DA4DA" : "#C8C8C8"
        opacity: root.enabled ? 1.0 : 0.5

        Rectangle {
            width: 32
            height: 32
            radius: 16
            y: 2
            x: root.checked ? parent.width - width - 2 : 2
            color: root.pressed ? "#EEEEEE" : "#FFFFFF"

            Behavior on x {
                NumberAnimation { duration: 150; easing.type: Easing.OutQuad }
            }
        }
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
