import QtQuick 2.15

// One choice of a menu; clicking it closes the menu it belongs to.
Item {
    id: root

    property string text: ""
    readonly property bool pressed: mouse.pressed

    signal clicked

    function __activate() {
        if (!root.enabled)
            return;
        root.clicked();
        root.__closeMenu();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.MenuItem
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

    width: parent ? parent.width : 0
    height: 80

    function __closeMenu() {
        for (var item = parent; item; item = item.parent) {
            if (item.platformMenu === true) {
                item.close();
                return;
            }
        }
    }

    BorderImage {
        anchors.fill: parent
        border { left: 12; top: 12; right: 12; bottom: 12 }
        source: !root.enabled ? "image://theme/meegotouch-button-background-disabled"
              : root.pressed ? "image://theme/meegotouch-button-background-pressed"
              : "image://theme/meegotouch-button-background"
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 32
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        textFormat: Text.PlainText
        text: root.text
        font.pixelSize: 24
        font.bold: true
        color: root.enabled ? "#000000" : "#A6A8AB"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.__activate()
    }

    FocusFrame {}
}
