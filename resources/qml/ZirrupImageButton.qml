import QtQuick 2.15
import com.orvik.meego 1.0

// An image that is a button: pressedImage shows while pressed, and while checked if checkable.
// `text` is what a screen reader says.
Item {
    id: root

    property url unpressedImage: ""
    property url pressedImage: ""
    property bool checkable: false
    property bool checked: false
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    property string text: ""

    signal clicked

    function __activate() {
        if (!root.enabled)
            return;
        if (root.checkable)
            root.checked = !root.checked;
        root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Accessible.checkable: root.checkable
    Accessible.checked: root.checked
    Accessible.onPressAction: root.__activate()
    Keys.onSpacePressed: root.__activate()
    Keys.onReturnPressed: (event) => {
        // Ctrl+Return is the page's (send).
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }
    Keys.onEnterPressed: (event) => {
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }

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
        onClicked: root.__activate()
    }

    FocusFrame {}
}
