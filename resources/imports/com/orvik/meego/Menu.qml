import QtQuick 2.15

// A menu that slides up from the bottom of the window. Its content is normally a MenuLayout of
// MenuItems; choosing an item closes the menu. A press outside the menu closes it too.
Fader {
    id: root

    readonly property bool platformMenu: true
    default property alias content: panelContent.data

    dimOpacity: 0.6
    onPrivateClicked: close()

    Rectangle {
        id: panel
        width: parent.width
        height: panelContent.childrenRect.height + 32
        y: parent.height - height * root.openness
        color: "#EDEDED"

        MouseArea {
            anchors.fill: parent
        }

        Item {
            id: panelContent
            x: 16
            y: 16
            width: parent.width - 32
            height: childrenRect.height
        }
    }
}
