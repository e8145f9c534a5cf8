import QtQuick 2.15
import com.orvik.meego 1.0

// A button of the sign-in page: blue with white text, or grey with black text.
Item {
    id: root

    property bool isBlue: false
    property string text: ""
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    signal clicked

    function __activate() {
        if (root.enabled)
            root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.text
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

    implicitWidth: 200
    implicitHeight: 64

    BorderImage {
        anchors.fill: parent
        border { left: 14; top: 14; right: 14; bottom: 14 }
        source: root.pressed ? "../images/zirrup-button-sign-in-pressed.png"
              : root.isBlue ? "../images/zirrup-button-sign-in-blue.png"
              : "../images/zirrup-button-sign-in-grey.png"
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 24
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: root.text
        color: root.isBlue ? "#FFFFFF" : "#000000"
        font.pixelSize: 24
        font.bold: true
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: root.__activate()
    }

    FocusFrame {}
}
