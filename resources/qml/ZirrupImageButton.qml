import QtQuick 2.15

// An image that is a button: pressedImage shows while pressed, and while checked if checkable.
Item {
    id: root

    property url unpressedImage: ""
    property url pressedImage: ""
    property bool checkable: false
    property bool checked: false
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    signal clicked

    implicitWidth: image.implicitWidth
    implicitHeight: image.implicitHeight

    Image {
        id: image
        anchors.centerIn: parent
        source: root.pressed || (root.checkable && root.checked) ? root.pressedImage : root.unpressedImage
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: {
            if (root.checkable)
                root.checked = !root.checked;
            root.clicked();
        }
    }
}
